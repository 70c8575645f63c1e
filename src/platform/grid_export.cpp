#include "platform/grid_export.h"

#include "platform/grid_table.h"

#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUuid>

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace morlenta {

namespace {

// Sheet names: at most 31 characters, none of []:*?/\ .
QString sheetTitle(const QString &name)
{
    QString s;
    for (QChar ch : name)
        if (!QStringLiteral("[]:*?/\\").contains(ch))
            s += ch;
    s = s.trimmed().left(31);
    return s.isEmpty() ? QStringLiteral("Лист1") : s;
}

lxw_datetime toLxw(const QDateTime &dt)
{
    const QDate d = dt.date();
    const QTime t = dt.time();
    return lxw_datetime{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
}

} // namespace

bool writeXlsx(const QString &path, const GridTable &table, const QString &sheetName, QString *error)
{
    const QFileInfo target(path);
    const QString temp = target.absoluteDir().filePath(
        QStringLiteral(".%1.%2.tmp").arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128)));
    const QByteArray tempName = QFile::encodeName(temp);
    auto fail = [&](const QString &why) {
        QFile::remove(temp);
        if (error)
            *error = why;
        return false;
    };
    if (!target.absoluteDir().exists())
        return fail(QStringLiteral("Папката не съществува."));

    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    lxw_workbook *book = workbook_new_opt(tempName.constData(), &options);
    if (!book)
        return fail(QStringLiteral("Не може да се създаде работна книга."));
    const QByteArray title = sheetTitle(sheetName).toUtf8();
    lxw_worksheet *sheet = workbook_add_worksheet(book, title.constData());
    lxw_format *head = workbook_add_format(book);
    format_set_bold(head);
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "dd.mm.yyyy");
    lxw_format *dateTime = workbook_add_format(book);
    format_set_num_format(dateTime, "dd.mm.yyyy hh:mm:ss");

    for (int c = 0; c < table.columns.size(); ++c) {
        worksheet_write_string(sheet, 0, lxw_col_t(c), table.columns[c].caption.toUtf8().constData(), head);
        worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c),
                             qBound(6.0, table.columns[c].width / 7.0, 80.0), nullptr);
    }
    worksheet_freeze_panes(sheet, 1, 0);

    lxw_row_t row = 1;
    for (const GridTableLine &line : table.lines) {
        if (line.kind != GridTableLine::Row)
            continue;
        for (int c = 0; c < line.values.size() && c < table.columns.size(); ++c) {
            const QVariant &v = line.values[c];
            const auto col = lxw_col_t(c);
            if (v.isNull())
                continue;
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong:
            case QMetaType::Double:
            case QMetaType::Float:
            case QMetaType::Short:
            case QMetaType::UShort: worksheet_write_number(sheet, row, col, v.toDouble(), nullptr); break;
            case QMetaType::Bool: worksheet_write_boolean(sheet, row, col, v.toBool(), nullptr); break;
            case QMetaType::QDate: {
                lxw_datetime d = toLxw(QDateTime(v.toDate(), QTime(0, 0)));
                worksheet_write_datetime(sheet, row, col, &d, date);
                break;
            }
            case QMetaType::QDateTime: {
                lxw_datetime d = toLxw(v.toDateTime());
                worksheet_write_datetime(sheet, row, col, &d, dateTime);
                break;
            }
            default: {
                // A cell holds at most 32767 characters.
                const QString text = (c < line.cells.size() ? line.cells[c] : v.toString()).left(32767);
                if (!text.isEmpty())
                    worksheet_write_string(sheet, row, col, text.toUtf8().constData(), nullptr);
            }
            }
        }
        if (++row >= LXW_ROW_MAX)
            break;
    }

    const lxw_error result = workbook_close(book);
    if (result != LXW_NO_ERROR)
        return fail(QString::fromUtf8(lxw_strerror(result)));
    if (std::rename(tempName.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    return true;
}

QString proposedExportPath(const QString &fileStem)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(withSpreadsheetSuffix(fileStem));
}

QString spreadsheetFilter()
{
    return QStringLiteral("Книга на Excel (*.xlsx)");
}

QString withSpreadsheetSuffix(const QString &path)
{
    return path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive) ? path
                                                                       : path + QStringLiteral(".xlsx");
}

} // namespace morlenta
