#pragma once

#include <QString>
#include <QWidget>

namespace qel::app::ui {

// The background picture of the main window (imgFondo): painted, so it fills any size.
class BackgroundPicture : public QWidget {
    Q_OBJECT

public:
    BackgroundPicture(QString periodo, QString formulario, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_periodo;
    QString m_formulario;
};

} // namespace qel::app::ui
