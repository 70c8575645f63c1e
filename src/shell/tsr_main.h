#pragma once

#include "shell/commands.h"

#include <QMainWindow>

#include <functional>

class QLabel;
class QTimer;

namespace morlenta {
struct Session;
namespace orders {
class TfrmSprPor;
class TfrmOtchet;
} // namespace orders
class BarcodeScanner;
} // namespace morlenta

namespace morlenta::shell {

// The main window: the menu groups, the quick links, the status bar with the
// logged-in clerk and the hourly checks. Every command goes through the
// command table's guard.
class TsrMain : public QMainWindow {
    Q_OBJECT
public:
    TsrMain(Session &session, double version, QWidget *parent = nullptr);
    ~TsrMain() override;

    CommandTable &commands() { return commands_; }
    // The steps once the window is shown: the own firm data when missing, the first-run mark.
    void formShow();
    // Runs the hourly work for the hour of `now` (the timer calls it on each change of the hour).
    void hourChanged(const class QDateTime &now);

    // Set by the areas that provide them.
    std::function<void()> hourlyExport; // the scheduled export at 12 and 18 o'clock
    std::function<void()> autoArchive;  // the archive at exit when "AutoArchive" is on
    // Closes the database, runs the work, then opens it again through the
    // start-up sequence (set by the program; the restore needs it).
    std::function<void(const std::function<void()> &)> withDatabaseClosed;
    // Where the templates of a server's database are kept.
    QString serverTemplatesFolder;
    QString archiveDefaultFolder;
    // Set when start-up failed: the window then closes without asking.
    bool chkExit = false;

    QLabel *statusUser() const { return statusUser_; }
    // The barcode scanner the scanning windows share.
    BarcodeScanner *scanner() const { return scanner_; }
    // Shows the commands that depend on the preferences (the rates only with
    // foreign currencies); called again after the settings change.
    void updateCommandVisibility();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void bindCommands();
    void scheduleHourTimer();
    void mnMyInfoClick(bool firstStart);
    void N6Click();
    void mnRestoreClick();
    // The order window in one of its modes (0 parts, 1 completion, 2 payment) for an order
    // of the register or one asked for.
    void openOrder(int mode);
    // The catalogue and the parts picker behind the order window's commands.
    void bindOrderWindow(orders::TfrmOtchet &w);
    void mnClerksClick();
    QString databaseLocation() const;
    QString templatesFolder() const;

    Session &session_;
    double version_;
    CommandTable commands_;
    QLabel *statusUser_ = nullptr;
    QLabel *AdvPanel1 = nullptr;
    QTimer *hourTimer_ = nullptr;
    orders::TfrmSprPor *register_ = nullptr;
    BarcodeScanner *scanner_ = nullptr;
    bool closingConfirmed_ = false;
};

} // namespace morlenta::shell
