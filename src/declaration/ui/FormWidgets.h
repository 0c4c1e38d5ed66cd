#pragma once

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace qel::declaration {

class FormAnnexGrid;
class GuardedLineEdit;
class PaymentControl;

// The widgets of one named control of the form.
struct ControlWidgets {
    QLabel* caption = nullptr;           // the question or caption beside the control
    QWidget* widget = nullptr;           // combo, text box, date box, check box, grid or label
    QMap<int, QAbstractButton*> members; // option buttons, check boxes of an array, command buttons
    QButtonGroup* group = nullptr;       // option groups
    FormAnnexGrid* rows = nullptr;       // grids
};

// A stretch of the form that the focus runs through top to bottom: the fields of a page
// (for a page holding a nested tab control, those above it).
struct FocusRegion {
    QString pageId;
    QWidget* widget = nullptr;
};

// A frame (section) of a page and the fields in it; a frame whose fields are all hidden is
// hidden too.
struct FrameItems {
    QWidget* frame = nullptr;
    QList<QWidget*> items;
};

// Everything the window's builder made, by the names the form uses.
struct FormWidgets {
    QHash<int, GuardedLineEdit*> boxes;
    QHash<int, QLabel*> boxNumbers;
    QHash<QString, ControlWidgets> controls;
    QHash<QString, QTabWidget*> tabControls; // SSTab1, SSTab2 ...
    QHash<QString, QWidget*> pages;          // page id -> its widget in the tab control
    QList<FocusRegion> regions;              // in the order of the pages
    QMap<int, QList<QWidget*>> chartBlocks;  // statement layouts by chart (1, 2)
    QList<FrameItems> frames;
    PaymentControl* payment = nullptr;
    QLineEdit* help = nullptr;             // TxtAyuda
    QLineEdit* help2 = nullptr;            // TxtAyuda1
    QHash<QString, QPushButton*> commands; // cmdValidar, cmdGrabar, cmdSalir
};

} // namespace qel::declaration
