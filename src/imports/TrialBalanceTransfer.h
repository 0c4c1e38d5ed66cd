#pragma once

#include "annexes/TrialBalancePage.h"
#include "annexes/TrialBalanceTable.h"
#include "app/PresentationModel.h"
#include "store/DeclarationKey.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace qel::app {
class Clock;
class FileChooser;
class Prompter;
} // namespace qel::app

namespace qel::store {
class Database;
}

namespace qel::imports {

// The transfer window frmTransferencia without its window: the trial balance of the open
// declaration loaded from its transfer file. The folder is chosen by the user; the file in it
// is named from the form code, the RUC and the period. cmdTransferir lists the chart's
// accounts afresh and writes every accepted line into its account's row, all in one
// transaction; rejected lines go to the error report in the report folder, one line each.
class TrialBalanceTransfer : public app::PresentationModel {
public:
    static const QString kCaption;
    static const QString kSuccess;

    struct Setup {
        store::Database& db;
        app::Prompter& prompter;
        const app::Clock& clock;
        store::DeclarationKey key;
        QString plan;                      // "1", "2" or "0"
        QString reportFolder;              // where the error report goes
        QString startFolder;               // where the folder choice starts
        app::FileChooser* files = nullptr; // asks for the folder (cmdDirectorio)
    };

    explicit TrialBalanceTransfer(Setup setup);

    // The directory the file is looked for in (empty: none chosen yet).
    const QString& folder() const { return m_folder; }
    void setFolder(const QString& folder) { m_folder = folder; }
    const QString& startFolder() const { return m_setup.startFolder; }
    // cmdDirectorio: the folder chosen by the user, starting at the one in use.
    bool chooseFolder();
    // The pattern of the file list: exactly the file's name.
    QString fileName() const;
    QString inputPath() const;
    QString reportPath() const;

    // The two counters as the window shows them.
    QString transferredText() const { return m_transferredText; }
    QString rejectedText() const { return m_rejectedText; }
    int transferred() const { return m_transferred; }
    int rejected() const { return m_rejected; }

    // cmdTransferir. Answers whether the balance was transferred without rejections (the window
    // then closes after the success message).
    bool transfer();
    bool isRunning() const { return m_running; }
    // cmCancelar: a transfer in progress stops before its next line and changes nothing; the
    // window closes.
    void cancel();
    bool isClosed() const override { return m_closed; }

    // PresentationModel
    QString windowName() const override { return annexes::TrialBalancePage::kTransferWindow; }
    QList<app::DeclaredControl> declaredControls() override;
    // Called before each line, so that the window can service its events (and the cancel).
    std::function<void()> beforeLine;
    // Called whenever the counters change, from the reset at the start of a transfer on, so
    // that a window shows the file being read and never the previous file's numbers.
    std::function<void()> countersChanged;

private:
    enum class Outcome { Done, Stopped, Cancelled };
    Outcome run(const QStringList& lines, QStringList& report);
    void resetCounters();
    void showCounters();
    bool readInput(QStringList& lines);
    QStringList reportHeader();
    bool writeReport(const QStringList& lines);

    Setup m_setup;
    QString m_folder;
    QString m_transferredText;
    QString m_rejectedText;
    int m_transferred = 0;
    int m_rejected = 0;
    bool m_cancel = false;
    bool m_running = false;
    bool m_closed = false;
};

} // namespace qel::imports
