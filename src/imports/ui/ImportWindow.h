#pragma once

#include "imports/ImportModel.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace qel::imports::ui {

// The three import windows: the folder and the files of the kind, "Transferir" that shows what
// the file would do, "Aceptar" that writes it, and the three counters.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    ImportWindow(std::unique_ptr<ImportModel> model, QWidget* parent = nullptr);
    ImportModel& model() { return *m_model; }

private:
    void refresh();

    std::unique_ptr<ImportModel> m_model;
    QLineEdit* m_folder = nullptr;
    QListWidget* m_files = nullptr;
    QTableWidget* m_preview = nullptr;
    QPushButton* m_accept = nullptr;
    QList<QLabel*> m_counters;
};

} // namespace qel::imports::ui
