#pragma once

// The text of a PDF page by page, through pdftotext (poppler-utils).

#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

namespace morlenta::test {

inline QStringList pdfPages(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        ADD_FAILURE() << "pdftotext (poppler-utils) failed on " << path.toStdString();
        return {};
    }
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

} // namespace morlenta::test
