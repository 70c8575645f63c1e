#include "maintenance/tsr_arhiv.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>

namespace morlenta::maintenance {

TsrArhiv::TsrArhiv(const QString &caption, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TsrArhiv"));
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setVisible(false);
    layout->addWidget(Label1);
    layout->addWidget(ProgressBar1);
    resize(420, sizeHint().height());
}

ArchiveUi TsrArhiv::ui()
{
    ArchiveUi u;
    u.chooseTarget = [this](const QString &folder, const QString &proposed) {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Архивиране на базите данни"),
                                            QDir(folder).filePath(proposed),
                                            QStringLiteral("Архиви (*.srz);;Всички файлове (*)"));
    };
    u.chooseSource = [this](const QString &folder) {
        return QFileDialog::getOpenFileName(this, QStringLiteral("Възстановяване от архив"), folder,
                                            QStringLiteral("Архиви (*.srz);;Всички файлове (*)"));
    };
    u.progress = [this](int percent, const QString &file) {
        // Shown while below 100 %, hidden at the end.
        ProgressBar1->setVisible(percent < 100);
        ProgressBar1->setValue(percent);
        Label1->setText(percent < 100 ? file : QString());
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    u.pause = [] {
        QEventLoop loop;
        QTimer::singleShot(2000, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    };
    return u;
}

} // namespace morlenta::maintenance
