#include "files/CsvFile.h"

#include <QLocale>

#include "files/Windows1252.h"
#include "foundation/DynaArray.h"
#include "foundation/MenuDocument.h"
#include "foundation/ProduktRec.h"
#include "translation/TranslateUnit.h"

void AddCsvField(QString& line, const QString& field) {
    line += u'"';
    for (QChar c : field) {
        if (c == u'"')
            line += u'"';
        line += c;
    }
    line += u"\",";
}

QStringList CsvHeader() {
    QStringList header;
    for (int n = 13; n <= 18; ++n)
        header << GetMessageText(n);
    return header;
}

QByteArray WriteCsv(MenuDocument& doc, const QStringList& header) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    QString out;
    QString line;
    for (const QString& h : header)
        AddCsvField(line, h);
    line.chop(1);
    out += line;
    out += u"\r\n";
    for (int k = 0; k < doc.katCount(); ++k) {
        TDynaArray* products = doc.products(k);
        if (!products)
            continue;
        const QString kat = doc.katName(k);
        for (uint32_t i = 0; i < products->count(); ++i) {
            const auto* rec = static_cast<const TProduktRec*>(products->GetObject(i));
            line.clear();
            AddCsvField(line, kat);
            AddCsvField(line, TextOf(rec->name));
            AddCsvField(line, TextOf(rec->description));
            AddCsvField(line, locale.toString(rec->price, 'f', 2));
            AddCsvField(line, QString::number(rec->number));
            AddCsvField(line, TextOf(rec->quantity));
            line.chop(1);
            out += line;
            out += u"\r\n";
        }
    }
    return ToWindows1252(out);
}

QString decodeenters(QString field) {
    if (field.startsWith(u'"'))
        field.remove(0, 1);
    if (field.endsWith(u'"'))
        field.chop(1);
    QString out;
    out.reserve(field.size());
    bool escape = false;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        // Runs of quotes become one quote.
        if (c == u'"' && i > 0 && field[i - 1] == u'"')
            continue;
        if (c == u'\\') {
            escape = true;
        } else if (escape && c == u'r') {
            out += QChar(u'\r');
            escape = false;
        } else if (escape && c == u'n') {
            out += QChar(u'\n');
            escape = false;
        } else {
            if (escape)
                out += u'\\';
            out += c;
            escape = false;
        }
    }
    if (escape)
        out += u'\\';
    return out;
}

QStringList SplitCsvLine(QStringView line) {
    QStringList fields;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted) {
            fields << decodeenters(line.mid(start, i - start).toString());
            start = i + 1;
        }
    }
    if (start < line.size())
        fields << decodeenters(line.mid(start).toString());
    return fields;
}

QList<TCsvLine> ReadCsv(QByteArrayView bytes) {
    const QString text = FromWindows1252(bytes);
    const QLocale locale;
    QList<TCsvLine> result;
    bool header = true;
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        // One logical line: CR, LF or CR LF outside quotes end it.
        bool quoted = false;
        qsizetype end = pos;
        while (end < n) {
            const QChar c = text[end];
            if (c == u'"')
                quoted = !quoted;
            else if (!quoted && (c == u'\r' || c == u'\n'))
                break;
            ++end;
        }
        const QStringView line = QStringView(text).mid(pos, end - pos);
        pos = end;
        if (pos < n && text[pos] == u'\r')
            ++pos;
        if (pos < n && text[pos] == u'\n' && (pos == end || text[pos - 1] == u'\r'))
            ++pos;
        if (header) {
            header = false;
            continue;
        }
        if (line.isEmpty())
            continue;
        const QStringList fields = SplitCsvLine(line);
        TCsvLine out;
        out.category = fields.value(0);
        if (fields.size() >= 2) {
            out.hasProduct = true;
            out.product.name = fields.value(1);
            out.product.description = fields.value(2);
            bool ok = false;
            if (fields.size() > 3) {
                const double price = locale.toDouble(fields[3], &ok);
                out.product.price = ok ? price : 0;
            }
            if (fields.size() > 4) {
                const int number = fields[4].toInt(&ok);
                out.product.number = ok ? number : 0;
            }
            out.product.quantity = fields.value(5);
        }
        result << out;
    }
    return result;
}
