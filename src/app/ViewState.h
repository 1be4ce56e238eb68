#pragma once

#include <QObject>

// What the user looks at rather than what the menu stores: the selected
// category, the preview's zoom and page, and whether the preview shows only
// the selected category. Several tabs share it; none of it is saved and a
// change of it never marks the document changed.
class TViewState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The selected category, -1 for none.
    int selectedCategory() const { return selectedCategory_; }
    // Zoom of the page preview in percent.
    int zoom() const { return zoom_; }
    // The page the preview shows, from 1.
    int page() const { return page_; }
    bool onlySelectedCategory() const { return onlySelectedCategory_; }

    void setSelectedCategory(int category);
    void setZoom(int percent);
    void setPage(int page);
    void setOnlySelectedCategory(bool on);

signals:
    void selectedCategoryChanged();
    // Zoom, page or "only the selected category" changed.
    void previewChanged();

private:
    int selectedCategory_ = -1;
    int zoom_ = 100;
    int page_ = 1;
    bool onlySelectedCategory_ = false;
};
