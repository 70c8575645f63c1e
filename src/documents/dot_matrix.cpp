#include "documents/dot_matrix.h"

#include "common/local_settings.h"
#include "common/prompt.h"
#include "documents/cp1251.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace morlenta::documents {

int fieldNumber(const QString &text)
{
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n > 0 ? n : 0;
}

QList<MatrixJob> planPrint(QStringList lines, int height, int width)
{
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();  // an empty last line is not printed
    QList<MatrixJob> jobs;
    const qsizetype n = lines.size();
    const qsizetype step = height > 0 ? height : std::max<qsizetype>(n, 1);
    int sheet = 0;
    for (qsizetype first = 0; first < n; first += step) {
        ++sheet;
        const QStringList sheetLines = lines.mid(first, step);
        int fragments = 1;
        if (width > 0) {
            qsizetype longest = 0;
            for (const QString &l : sheetLines)
                longest = std::max(longest, l.size());
            fragments = static_cast<int>((longest + width - 1) / width);
        }
        for (int k = 1; k <= fragments; ++k) {
            MatrixJob job;
            job.sheet = sheet;
            job.fragment = k;
            if (fragments > 1)
                job.question = QStringLiteral("Поставете лист %1 фрагмент %2. Продължение?").arg(sheet).arg(k);
            else if (sheet > 1)
                job.question = QStringLiteral("Поставете лист %1. Продължение?").arg(sheet);
            for (const QString &l : sheetLines)
                job.lines << (width > 0 ? l.mid((k - 1) * width, width) : l);
            jobs << job;
        }
    }
    return jobs;
}

QByteArray printerBytes(const QString &line)
{
    QByteArray bytes = toCp1251(line);
    for (char &c : bytes) {
        const auto b = static_cast<uchar>(c);
        if (b >= 192)
            c = static_cast<char>(b - 64);
        else if (b == 185)
            c = static_cast<char>(213);
    }
    return bytes;
}

QString matrixDevice(const LocalSettings &settings)
{
    const QString device = settings.text(QStringLiteral("Matrix device")).trimmed();
    return device.isEmpty() ? QStringLiteral("/dev/lp0") : device;
}

QString matrixWorkFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/print");
    QDir().mkpath(folder);
    return folder;
}

MatrixPrinter::MatrixPrinter(Prompt &prompt, QString workFolder, QString device)
    : prompt_(prompt), folder_(std::move(workFolder)), device_(std::move(device))
{
}

bool MatrixPrinter::print(const QStringList &lines, int height, int width, const QString &prnFile)
{
    const QString path = QDir(folder_).filePath(prnFile);
    for (const MatrixJob &job : planPrint(lines, height, width)) {
        if (!job.question.isEmpty() &&
            prompt_.ask(Prompt::messageCaption(), job.question, PromptIcon::Question, PromptButtons::OkCancel) !=
                PromptAnswer::Ok)
            return false;
        // Each fragment is one job: the file made anew, then sent whole.
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            prompt_.error(out.errorString());
            return false;
        }
        for (const QString &l : job.lines)
            out.write(printerBytes(l) + "\r\n");
        if (!out.flush()) {
            prompt_.error(out.errorString());
            return false;
        }
        out.close();
        if (!send(path))
            return false;
    }
    return true;
}

bool MatrixPrinter::send(const QString &file)
{
    if (device_.startsWith(QLatin1String("queue:"))) {
        QProcess lp;
        lp.start(QStringLiteral("lp"), {QStringLiteral("-d"), device_.mid(6), QStringLiteral("-o"), QStringLiteral("raw"), file});
        if (!lp.waitForFinished(30000) || lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0) {
            prompt_.error(QStringLiteral("Печатът към опашката %1 не успя: %2")
                              .arg(device_.mid(6), QString::fromLocal8Bit(lp.readAllStandardError()).trimmed()));
            return false;
        }
        return true;
    }
    QFile in(file);
    QFile printer(device_);
    if (!in.open(QIODevice::ReadOnly) || !printer.open(QIODevice::WriteOnly | QIODevice::Append)) {
        prompt_.error(QStringLiteral("Принтерът %1 не е достъпен: %2").arg(device_, printer.errorString()));
        return false;
    }
    if (printer.write(in.readAll()) < 0 || !printer.flush()) {
        prompt_.error(QStringLiteral("Грешка при печат на %1: %2").arg(device_, printer.errorString()));
        return false;
    }
    return true;
}

} // namespace morlenta::documents
