#include "maintenance/backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <cmath>
#include <cstdio>

namespace morlenta::maintenance {

namespace {

QString zipError(zip_t *za)
{
    return QString::fromUtf8(zip_strerror(za));
}

QString openError(int code)
{
    zip_error_t e;
    zip_error_init_with_code(&e, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&e));
    zip_error_fini(&e);
    return text;
}

// The file's own name, whatever folders the archive stored with it.
QString baseName(const char *stored)
{
    QString name = QString::fromUtf8(stored);
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return name.section(QLatin1Char('/'), -1);
}

struct ProgressState {
    const PackProgress *report;
    QList<std::pair<double, QString>> ends; // cumulative share of the bytes at the end of each file
    int lastPercent = -1;
};

void onProgress(zip_t *, double done, void *data)
{
    auto *s = static_cast<ProgressState *>(data);
    const int percent = static_cast<int>(std::floor(done * 100.0));
    if (percent == s->lastPercent || !*s->report)
        return;
    s->lastPercent = percent;
    QString current;
    for (const auto &[end, name] : s->ends) {
        current = name;
        if (done <= end)
            break;
    }
    (*s->report)(percent, current);
}

} // namespace

PackResult packFiles(const QString &archivePath, const QList<ArchiveFile> &files, const QString &title,
                     const PackProgress &progress)
{
    PackResult result;
    const QString temp = archivePath + QStringLiteral(".part");
    QFile::remove(temp);
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(temp).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!za) {
        result.error = openError(code);
        return result;
    }
    qint64 total = 0;
    for (const ArchiveFile &f : files)
        total += QFileInfo(f.source).size();
    ProgressState state{&progress, {}, -1};
    qint64 running = 0;
    for (const ArchiveFile &f : files) {
        running += QFileInfo(f.source).size();
        state.ends.append({total > 0 ? double(running) / double(total) : 1.0, f.name});
        zip_source_t *src = zip_source_file(za, QFile::encodeName(f.source).constData(), 0, -1);
        const zip_int64_t index =
            src ? zip_file_add(za, f.name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE)
                : -1;
        if (index < 0) {
            if (src)
                zip_source_free(src);
            result.error = f.source + QStringLiteral(": ") + zipError(za);
            zip_discard(za);
            QFile::remove(temp);
            return result;
        }
        zip_set_file_compression(za, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 9);
    }
    const QByteArray comment = title.toUtf8();
    zip_set_archive_comment(za, comment.constData(), static_cast<zip_uint16_t>(comment.size()));
    zip_register_progress_callback_with_state(za, 0.01, &onProgress, nullptr, &state);
    if (zip_close(za) != 0) {
        result.error = zipError(za);
        zip_discard(za);
        QFile::remove(temp);
        return result;
    }
    // The finished archive takes the name in one step.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(archivePath).constData()) != 0) {
        result.error = QStringLiteral("Архивът не може да бъде записан като %1.").arg(archivePath);
        QFile::remove(temp);
        return result;
    }
    const qint64 packed = QFileInfo(archivePath).size();
    result.compressionPercent =
        total > 0 ? std::max(0, static_cast<int>(std::lround(100.0 - 100.0 * double(packed) / double(total))))
                  : 0;
    result.ok = true;
    if (progress)
        progress(100, QString());
    return result;
}

bool readArchive(const QString &archivePath, QList<ArchiveEntry> *entries, QString *title, QString *error)
{
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!za) {
        if (error)
            *error = openError(code);
        return false;
    }
    if (title) {
        int len = 0;
        const char *c = zip_get_archive_comment(za, &len, ZIP_FL_ENC_GUESS);
        *title = c ? QString::fromUtf8(c, len) : QString();
    }
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; entries && i < n; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !st.name)
            continue;
        const QString name = baseName(st.name);
        if (!name.isEmpty() && name != QLatin1String(".") && name != QLatin1String(".."))
            entries->append({name, static_cast<qint64>(st.size)});
    }
    zip_discard(za);
    return true;
}

bool extractEntry(const QString &archivePath, const QString &name, const QString &target, QString *error)
{
    int code = 0;
    zip_t *za = zip_open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!za) {
        if (error)
            *error = openError(code);
        return false;
    }
    bool ok = false;
    const zip_int64_t n = zip_get_num_entries(za, 0);
    for (zip_int64_t i = 0; i < n && !ok; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za, static_cast<zip_uint64_t>(i), 0, &st) != 0 || !st.name ||
            baseName(st.name) != name)
            continue;
        zip_file_t *zf = zip_fopen_index(za, static_cast<zip_uint64_t>(i), 0);
        QFile out(target);
        if (!zf || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            if (error)
                *error = zf ? out.errorString() : zipError(za);
            if (zf)
                zip_fclose(zf);
            break;
        }
        char buf[65536];
        zip_int64_t got = 0;
        bool written = true;
        while ((got = zip_fread(zf, buf, sizeof buf)) > 0)
            written = written && out.write(buf, got) == got;
        zip_fclose(zf);
        ok = got == 0 && written && out.flush();
        if (!ok && error)
            *error = got < 0 ? QStringLiteral("Повреден архив.") : out.errorString();
        out.close();
        if (!ok)
            QFile::remove(target);
        break;
    }
    if (!ok && error && error->isEmpty())
        *error = QStringLiteral("Файлът %1 липсва в архива.").arg(name);
    zip_discard(za);
    return ok;
}

bool unpackAll(const QString &archivePath, const QString &folder, QString *error)
{
    QList<ArchiveEntry> entries;
    if (!readArchive(archivePath, &entries, nullptr, error))
        return false;
    QDir().mkpath(folder);
    for (const ArchiveEntry &e : entries)
        if (!extractEntry(archivePath, e.name, QDir(folder).filePath(e.name), error))
            return false;
    return true;
}

} // namespace morlenta::maintenance
