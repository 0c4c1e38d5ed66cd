#pragma once

#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>

namespace qel::declaration {

enum class ControlKind {
    OptionGroup,  // an option-button array: the answer is the index of the chosen button (-1 none)
    CheckBox,     // one check box: 0 or 1
    CheckArray,   // a check-box array: 0 or 1 per index
    ComboBox,     // a selection list of (description, code) items
    TextBox,      // a named text box
    DateBox,      // a masked date box "__/__/____"
    CommandArray, // command buttons by index
    Grid,         // a read-only grid bound to a working table
    Label,        // a label whose caption the form sets (questions with the period, totals ...)
};

// Keys a named text box accepts.
enum class TextRule {
    Free,     // through the shared key filter only
    Names,    // letters, digits, space, "Ñ" and backspace (capitals)
    Registry, // letters, digits, "-" and backspace
    Digits,   // digits and backspace
    Email,    // no space, one "@", "_" passes
};

struct GridColumn {
    QString field;
    QString heading;
};

// A named control of the declaration form other than the casilla boxes.
struct ControlDef {
    QString name; // the control's name, as the rules and the batch mode call it
    ControlKind kind = ControlKind::Label;
    QString page;                  // FormPages id
    QString section;               // frame caption
    int row = 0;                   // order within the section
    QString caption;               // question or caption; "{periodo}" stands for the period
    QMap<int, QString> members;    // captions of the buttons or check boxes, by index
    int answerCasilla = 0;         // the DET-only casilla that stores the answer
    QMap<int, int> memberCasillas; // check arrays: the casilla of each member
    QList<int> moreCasillas;       // further casillas saved with the same answer (Opttecno: 781)
    QString answerLetters;         // a letter per index when the answer is stored as a letter ("AB")
    bool enabledAtStart = true;
    bool visibleAtStart = true; // false for the boxes the form shows only in some cases (order number, loss total)
    int maxLength = 0;
    TextRule textRule = TextRule::Free;
    QString paramNumero;        // combo boxes filled from a PARAM list
    QMap<int, QString> windows; // command arrays: the window each index opens
    QString code;               // command arrays: the code handed to the window (import kind, type)
    QString table;              // grids and command arrays: the working table
    QString query;              // grids: the statement that fills it; labels: the total they show
    QString totalMask;          // labels with a total: its display mask; empty for whole amounts
    QList<GridColumn> columns;  // grids: columns in display order
};

class FormControls {
public:
    static const FormControls& instance();
    const QList<ControlDef>& all() const { return m_controls; }
    const ControlDef* find(const QString& name) const; // case-sensitive, as the form names them
    QList<const ControlDef*> onPage(const QString& pageId) const;
    // The control whose answer is stored in a casilla.
    const ControlDef* answeredIn(int casilla) const;

private:
    FormControls();
    QList<ControlDef> m_controls;
};

// The named controls of form 0588 (FormControlData.cpp).
QList<ControlDef> formControlData();

// The form's controls that code outside the catalogue names: the rows of formControlData()
// and every use spell these constants, so that a name is written once.
namespace controls {
// The form's own commands
inline constexpr char kValidate[] = "cmdValidar";
inline constexpr char kSave[] = "cmdGrabar";
inline constexpr char kExit[] = "cmdSalir";
// The accountant and the legal representative
inline constexpr char kAccountantDocType[] = "cboContador";
inline constexpr char kAccountantPhone[] = "txtTelCon";
inline constexpr char kAccountantMobile[] = "txtTelCon2";
inline constexpr char kRepresentativeDocType[] = "cboTipDocRepLegal";
inline constexpr char kRepresentativeSurname[] = "txtApellidoRL";
// Exemptions, benefits, reorganisation and the ITAN
inline constexpr char kExemptionBasis[] = "cboBaseLegalExonera";
inline constexpr char kNonTaxableBasis[] = "cboBaseLegalInafecta";
inline constexpr char kTaxBenefit[] = "cboBeneficiosTrib";
inline constexpr char kReorganisationType[] = "cboTipoReorganizacion";
inline constexpr char kItanPayments[] = "chkItanPagos";
// The Amazonía domicile: the fixed assets box (casilla 223) and the button of their detail
inline constexpr char kAmazoniaFixedAssets[] = "TxtActFijAmazonia";
inline constexpr char kAmazoniaInvestments[] = "cmdInverAmazonia";
// Questions and the grids they open
inline constexpr char kInstruments[] = "optIns";
inline constexpr char kCarryForwardSystem[] = "optSistema";
inline constexpr char kVehicles[] = "optAutos";
inline constexpr char kVehicleGrid[] = "grdVehiculos";
inline constexpr char kDisuse[] = "optDesuso";
inline constexpr char kForeignIncome[] = "optRentasInternacionales";
inline constexpr char kPartnerGrid[] = "grdPricipalesSocios";
inline constexpr char kMiningButtons[] = "cmdMineria";
inline constexpr char kMiningGrid[] = "grdMineria";
inline constexpr char kHydrocarbonButtons[] = "cmdHidrocarburos";
inline constexpr char kHydrocarbonGrid[] = "grdHidrocarburos";
inline constexpr char kTrialBalanceButton[] = "cmdDetalleBalance";
inline constexpr char kTrialBalanceGrid[] = "grdBalanceAPP";
// The casilla boxes: a control array, member "txtValor_" + the casilla
inline constexpr char kCasillaBox[] = "txtValor";

// The payment box, built apart from the rows above: its answers go to the declaration's
// header, not to casillas.
inline constexpr char kPaymentFrame[] = "fraFormaPago";
inline constexpr char kCash[] = "optEfectivo";
inline constexpr char kCheque[] = "optCheque";
inline constexpr char kBank[] = "cboBanco";
inline constexpr char kChequeNumber[] = "txtNroCheque";
inline constexpr const char* kPaymentBox[] = {kPaymentFrame, kCash, kCheque, kBank, kChequeNumber};
// The help boxes under the pages, which show the help of the control with the focus.
inline constexpr char kHelpBox[] = "TxtAyuda";
inline constexpr char kHelpBox2[] = "TxtAyuda1";
inline constexpr const char* kHelpBoxes[] = {kHelpBox, kHelpBox2};
// The form's edit menu.
inline constexpr char kUndo[] = "mnuDeshacer";
inline constexpr char kRedo[] = "mnuRehacer";
inline constexpr const char* kEditMenu[] = {kUndo, kRedo};
} // namespace controls

} // namespace qel::declaration
