// The font dialogs open on the current font and change only what the user
// changed.
#include <functional>

#include <QFontDialog>
#include <QFontInfo>

#include <gtest/gtest.h>

#include "app/FontChoice.h"

namespace {

TFontSetting setting(const char* face, int size, uint8_t style) {
    TFontSetting s;
    s.name = QString::fromLatin1(face);
    s.size = size;
    s.style = style;
    s.charset = 238;       // kept whatever the dialog says
    s.color = 0x000080FF;  // likewise
    s.pixelsPerInch = 120; // likewise
    return s;
}

// The real font dialog, confirmed without touching anything, gives back the
// stored font: a face that is not installed keeps its name, and its style
// and size survive.
TEST(FontChoice, UntouchedDialogKeepsTheStoredFont) {
    const TFontSetting cases[] = {
        setting("Times New Roman", 24, TFontSetting::Bold),
        setting("Times New Roman", 12, TFontSetting::Italic),
        setting("Times New Roman", 14, TFontSetting::Bold | TFontSetting::Italic),
        setting("Courier New", 12, 0),
        setting("Liberation Sans", 9, TFontSetting::Underline),
        setting("No Such Face At All", 11, TFontSetting::Bold),
    };
    for (const TFontSetting& stored : cases) {
        SCOPED_TRACE(stored.name.toStdString());
        const QFont offered = FontForDialog(stored);
        EXPECT_EQ(offered.family(), QFontInfo(stored.toQFont()).family());
        QFontDialog dialog(offered);
        const QFont shown = dialog.currentFont();
        EXPECT_EQ(shown.family(), offered.family());
        EXPECT_EQ(shown.pointSize(), stored.size);
        EXPECT_EQ(shown.bold(), bool(stored.style & TFontSetting::Bold));
        EXPECT_EQ(shown.italic(), bool(stored.style & TFontSetting::Italic));
        EXPECT_EQ(ApplyChosenFont(stored, offered, shown), stored);
    }
}

TEST(FontChoice, OnlyWhatTheUserChangedChanges) {
    const TFontSetting stored =
        setting("Times New Roman", 24, TFontSetting::Bold | TFontSetting::Underline);
    const QFont offered = FontForDialog(stored);
    struct Case {
        const char* change;
        std::function<void(QFont&)> edit;
        std::function<void(TFontSetting&)> expect;
    };
    const Case cases[] = {
        {"size", [](QFont& f) { f.setPointSize(30); }, [](TFontSetting& s) { s.size = 30; }},
        {"family", [](QFont& f) { f.setFamily(QStringLiteral("Liberation Sans")); },
         [](TFontSetting& s) { s.name = QStringLiteral("Liberation Sans"); }},
        {"bold off", [](QFont& f) { f.setBold(false); },
         [](TFontSetting& s) { s.style = TFontSetting::Underline; }},
        {"italic on", [](QFont& f) { f.setItalic(true); },
         [](TFontSetting& s) { s.style |= TFontSetting::Italic; }},
        {"strike-out on, underline off",
         [](QFont& f) {
             f.setStrikeOut(true);
             f.setUnderline(false);
         },
         [](TFontSetting& s) { s.style = TFontSetting::Bold | TFontSetting::StrikeOut; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        QFont chosen = offered;
        c.edit(chosen);
        TFontSetting expected = stored;
        c.expect(expected);
        EXPECT_EQ(ApplyChosenFont(stored, offered, chosen), expected);
    }
}

} // namespace
