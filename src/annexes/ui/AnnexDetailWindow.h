#pragma once

#include "annexes/AnnexDetailModel.h"
#include "app/ui/FormResult.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <memory>

class QButtonGroup;
class QVBoxLayout;
class QWidget;

namespace qel::annexes::ui {

// The window of any annex detail: built from the annex's catalogue entry over its
// AnnexDetailModel. Each field is a control named as the catalogue names it, then "&Grabar"
// (cmdAccion_0), "&Salir" (cmdAccion_1) and a button per sub-window. Everything it does is the
// model's; the window only shows the model's state and hands it the user's keys and clicks.
class AnnexDetailWindow : public QDialog, public app::ui::FormResult {
    Q_OBJECT
public:
    explicit AnnexDetailWindow(std::unique_ptr<AnnexDetailModel> model, QWidget* parent = nullptr);
    AnnexDetailWindow(const AnnexDef& def, AnnexContext context, const app::FormRequest& request,
                      QWidget* parent = nullptr);

    AnnexDetailModel& model() { return *m_model; }
    QString resultText() const override { return {}; }

    void reject() override; // Escape and the close box are "&Salir"

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void buildChildGrid(QVBoxLayout* layout);
    QWidget* makeControl(const AnnexField& field);
    void refresh(const QString& control);
    void focusControl(const QString& control);

    std::unique_ptr<AnnexDetailModel> m_model;
    QHash<QString, QWidget*> m_controls;
    QHash<QString, QButtonGroup*> m_groups;
    bool m_refreshing = false;
};

} // namespace qel::annexes::ui
