#pragma once

#include "app/FormRequest.h"

#include <QString>
#include <optional>

namespace qel::app {

class Prompter;
struct ProcessState;

// The main window's menus and their items, by the names the window and the scripts give them.
namespace menus {
inline constexpr char kDeclarations[] = "mnuDeclaraciones";
inline constexpr char kNew[] = "mnuNueva";
inline constexpr char kModify[] = "mnuModificar";
inline constexpr char kDelete[] = "mnuEliminar";
inline constexpr char kPrint[] = "mnuImprimir";
inline constexpr char kExit[] = "mnuSalir";
inline constexpr char kSent[] = "mnuEnviadas";
inline constexpr char kRegisterOrder[] = "mnuRegistrar";
inline constexpr char kDeleteSent[] = "mnuEliminarEnviada";
inline constexpr char kRecover[] = "mnuRecuperar";
inline constexpr char kPrintSent[] = "mnuImprimirEnviada";
inline constexpr char kLists[] = "mnuConsultas";
inline constexpr char kBanks[] = "mnuBancos";
inline constexpr char kCountries[] = "mnuPaises";
inline constexpr char kUit[] = "mnuUIT";
inline constexpr char kHelp[] = "mnuAyuda";
inline constexpr char kContents[] = "mnuContenido";
inline constexpr char kAbout[] = "mnuAcercade";
inline constexpr char kVersionCheck[] = "mnuVerificarVersion";
inline constexpr const char* kAll[] = {
    kDeclarations, kNew,   kModify, kDelete,    kPrint, kExit, kSent,     kRegisterOrder, kDeleteSent,  kRecover,
    kPrintSent,    kLists, kBanks,  kCountries, kUit,   kHelp, kContents, kAbout,         kVersionCheck};
} // namespace menus

// The commands of the main window: what each one sets in the process state, which window it
// opens and how. The window only forwards its menu items and toolbar buttons here.
class MainCommands {
public:
    enum class Command {
        NewDeclaration,
        ModifyDeclaration,
        DeleteDeclaration,
        PrintDeclaration,
        Exit,
        RegisterOrderNumber,
        DeleteSentDeclaration,
        RecoverSentDeclaration,
        PrintSentDeclaration,
        BankList,
        CountryList,
        UitList,
        Help,
        About,
        VersionCheck,
    };

    // What the commands need from the main window.
    class Host {
    public:
        virtual ~Host() = default;
        virtual void setBusy(bool busy) = 0; // the hourglass pointer
        virtual void showNotice() = 0;       // Dialog_Inicial, modal
        virtual QString openForm(const FormRequest& request) = 0;
        virtual void showReferenceList() = 0; // FrmConsultas for the list mode of the state
        virtual void showAbout() = 0;
        virtual bool openAddress(const QString& address) = 0; // the desktop's browser
        virtual void exit() = 0;
    };

    // Windows of later work that the commands open by name.
    static const QString kDeclarationForm; // "Frm537"
    static const QString kDeclarationList; // "FrmContAbrir"
    static const QString kSentList;        // "FrmContAbrirEnv"
    static const QString kPrintType;       // "FrmTipPrnR"
    static const QString kDefaultVersionHost;

    MainCommands(ProcessState& state, Prompter& prompter, Host& host);

    void run(Command command);

    // The toolbar repeats commands by button index (1-based); other indexes are separators.
    static std::optional<Command> toolbarCommand(int buttonIndex);
    static constexpr int kToolbarButtons = 10;
    // Every command but About, Exit, Recover and Version check first empties the taxpayer's name.
    static bool clearsTaxpayerName(Command command);

    // " 588 Declaración Pago Anual Impuesto a la Renta 2018 3ra. Categoría e ITF - v 1.0"
    static QString windowCaption(const ProcessState& state);
    // http://<host>/qel/qeldown/independientes/independientes.htm?p=0588&v=1.0&f=01012018#p588
    static QString versionCheckAddress(const QString& host, const QString& formulario, const QString& version,
                                       const QString& versionDate);

    // MostrarHelp: the help window over the module's help file.
    void MostrarHelp();

private:
    QString openList(const QString& name, const QString& code = {});

    ProcessState& m_state;
    Host& m_host;
};

} // namespace qel::app
