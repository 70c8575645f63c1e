#include "documents/document_templates.h"

#include "common/local_settings.h"
#include "common/prompt.h"
#include "common/session.h"
#include "documents/cp1251.h"
#include "documents/rtf_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

namespace morlenta::documents {

namespace {

struct Spec {
    const char *base;
    const char *prn;
    bool needsServiceName;
};

const Spec &spec(DocumentKind kind)
{
    static const Spec specs[] = {
        {"serv_order", "order.prn", true},      {"protocol", "protokol.prn", false},
        {"ready_card", "readycard.prn", false}, {"conditioners", "clima.prn", true},
        {"change_sn", "clima.prn", true},
    };
    return specs[static_cast<int>(kind)];
}

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

void reportMissing(DocumentKind kind, const QString &folder, const QString &path, bool matrix, Prompt &prompt)
{
    switch (kind) {
    case DocumentKind::ServiceCard:
        prompt.error(QStringLiteral("Не е намерен файла за печат на сервизната карта!\nФалът трябва да е ") +
                     path);
        return;
    case DocumentKind::Protocol:
        prompt.error(QStringLiteral("Не е намерен файла за печат на протокола!\nФайлът трябва да е ") + path);
        return;
    case DocumentKind::ReadyCard:
        prompt.error(QStringLiteral("Не е намерен файлът за печат на ремонтната карта!\nТози файл е ") +
                     (matrix ? QStringLiteral("READY_CARD.TXT") : QStringLiteral("READY_CARD.RTF")) +
                     QStringLiteral(" и трябва да се намира в директория \n") + withSlash(folder));
        return;
    case DocumentKind::Conditioners:
    case DocumentKind::ChangeSn:
        prompt.show(Prompt::messageCaption(),
                    QStringLiteral("Не е намерен файла с поръчката за печат!\nФайлът трябва да е ") + path,
                    PromptIcon::Error);
        return;
    }
}

} // namespace

FilledDocument::FilledDocument() = default;
FilledDocument::FilledDocument(FilledDocument &&) noexcept = default;
FilledDocument &FilledDocument::operator=(FilledDocument &&) noexcept = default;
FilledDocument::~FilledDocument() = default;

bool matrixMode(const LocalSettings &settings)
{
    return settings.text(QLatin1String(Local::Printer)) == QLatin1String("Matrix");
}

QString templatePath(DocumentKind kind, const QString &folder, bool matrix)
{
    return withSlash(folder) + QLatin1String(spec(kind).base) +
           (matrix ? QStringLiteral(".txt") : QStringLiteral(".rtf"));
}

QString prnFileName(DocumentKind kind)
{
    return QLatin1String(spec(kind).prn);
}

QString conditionerFooter()
{
    return QStringLiteral("Отпечатано от “Morlenta”, Dravik, www.dravik.bg");
}

FilledDocument fillTemplate(DocumentKind kind, const QString &folder, bool matrix, const Placeholders &values,
                            Prompt &prompt, const QString &printFooter)
{
    FilledDocument out;
    out.matrix = matrix;
    out.prnFile = prnFileName(kind);
    out.footer = kind == DocumentKind::Conditioners ? conditionerFooter() : printFooter;
    const QString path = templatePath(kind, folder, matrix);
    if (!QFileInfo(path).isFile()) {
        reportMissing(kind, folder, path, matrix, prompt);
        return out;
    }
    const QString unreadable = kind == DocumentKind::Protocol
                                   ? QStringLiteral("Грешка при отваряне на файла за печат на протокола!")
                                   : QString();
    const QString serviceName = QStringLiteral("%servicename%");
    const QString noServiceName = QStringLiteral(
        "Не е намерена променливата за името на сервиза!\nНе можете да отпечатате сервизна карта");
    if (matrix) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) {
            prompt.error(unreadable.isEmpty() ? f.errorString() : unreadable);
            return out;
        }
        QString text = decodeTextFile(f.readAll());
        if (spec(kind).needsServiceName && !text.contains(serviceName)) {
            prompt.warning(noServiceName);
            return out;
        }
        out.text = fillText(text, values);
    } else {
        out.doc = std::make_unique<QTextDocument>();
        const RtfResult read = readRtfFile(path, out.doc.get());
        if (!read.ok) {
            prompt.error(unreadable.isEmpty() ? read.error : unreadable);
            out.doc.reset();
            return out;
        }
        if (spec(kind).needsServiceName && !containsPlaceholder(*out.doc, serviceName)) {
            prompt.warning(noServiceName);
            out.doc.reset();
            return out;
        }
        fillDocument(*out.doc, values);
    }
    out.ok = true;
    return out;
}

FilledDocument fillTemplate(DocumentKind kind, const Session &session,
                            const std::function<Placeholders(bool matrix)> &values)
{
    const bool matrix = matrixMode(*session.settings);
    return fillTemplate(kind, session.templatesFolder, matrix, values(matrix), *session.prompt,
                        session.printFooter);
}

} // namespace morlenta::documents
