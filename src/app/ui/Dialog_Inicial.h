#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class Dialog_Inicial;
}

namespace qel::app::ui {

// The notice shown before a declaration is created or modified: read the help first (F1).
class Dialog_Inicial : public QDialog {
    Q_OBJECT

public:
    explicit Dialog_Inicial(const QString& caption, QWidget* parent = nullptr);
    ~Dialog_Inicial() override;

    QString messageText() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui::Dialog_Inicial> m_ui;
};

} // namespace qel::app::ui
