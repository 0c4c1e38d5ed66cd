#include "declaration/model/DeclarationFormModel.h"

#include "app/FormOpener.h"
#include "app/KeyFilters.h"
#include "app/UtilityComponent.h"
#include "base/NumberFormat.h"
#include "base/Prompter.h"
#include "catalogue/FormControls.h"
#include "store/Database.h"

#include <cmath>
#include <stdexcept>

namespace qel::declaration {

namespace {

// One edit as the user sees it, told to the undo history when it begins and when it ends.
class EditScope {
public:
    EditScope(EditObserver* observer, bool withTables) : m_observer(observer) {
        if (m_observer != nullptr) {
            m_observer->editBegins(withTables);
        }
    }
    ~EditScope() {
        if (m_observer != nullptr) {
            m_observer->editEnds();
        }
    }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

private:
    EditObserver* m_observer;
};

bool sameBox(const BoxState& a, const BoxState& b) {
    return a.text == b.text && a.enabled == b.enabled && a.locked == b.locked && a.colour == b.colour;
}

bool sameControl(const ControlState& a, const ControlState& b) {
    if (a.items.size() != b.items.size()) {
        return false;
    }
    for (int i = 0; i < a.items.size(); ++i) {
        if (a.items.at(i).text != b.items.at(i).text || a.items.at(i).code != b.items.at(i).code) {
            return false;
        }
    }
    return a.enabled == b.enabled && a.visible == b.visible && a.value == b.value && a.memberValues == b.memberValues &&
           a.memberEnabled == b.memberEnabled && a.text == b.text && a.current == b.current;
}

bool samePayment(const PaymentState& a, const PaymentState& b) {
    return a.kind == b.kind && a.bank == b.bank && a.cheque == b.cheque && a.enabled == b.enabled;
}

constexpr QChar kBackspace(8);
// Rules re-entering through the change events stop here rather than overflow the stack.
constexpr int kMaxEventDepth = 64;

const QString kValidateCommand = controls::kValidate;
const QString kSaveCommand = controls::kSave;
const QString kExitCommand = controls::kExit;

bool isEnter(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

} // namespace

const QString DeclarationFormModel::kReadOnlySave =
    QStringLiteral("La declaración está abierta solo para consulta: no se puede grabar.");

BoxColour DeclarationFormModel::colourAtStart(const CasillaDef& def) {
    switch (def.kind) {
    case BoxKind::Entry:
        return BoxColour::White;
    case BoxKind::Assistant:
        return BoxColour::Cyan;
    case BoxKind::Itf:
        return BoxColour::ScrollBar;
    default:
        return BoxColour::ButtonFace;
    }
}

DeclarationFormModel::DeclarationFormModel(FormContext context, QObject* parent)
    : QObject(parent), m_context(std::move(context)) {
    for (const CasillaDef* def : CasillaCatalog::instance().boxes()) {
        BoxState state;
        state.enabled = def->enabledAtStart();
        state.locked = def->lockedAtStart();
        state.colour = colourAtStart(*def);
        state.maxLength = def->displayLength();
        m_boxes.insert(def->number, state);
    }
    for (const ControlDef& def : FormControls::instance().all()) {
        ControlState state;
        state.enabled = def.enabledAtStart;
        state.visible = def.visibleAtStart;
        if (def.kind == ControlKind::CheckBox) {
            state.value = 0;
        }
        for (auto it = def.members.cbegin(); it != def.members.cend(); ++it) {
            state.memberEnabled.insert(it.key(), true);
            if (def.kind == ControlKind::CheckArray) {
                state.memberValues.insert(it.key(), 0);
            }
        }
        m_controls.insert(def.name, state);
    }
}

DeclarationFormModel::~DeclarationFormModel() = default;

store::DeclarationKey DeclarationFormModel::key() const {
    return {ruc(), m_context.periodo, m_context.formulario};
}

QString DeclarationFormModel::ruc() const {
    return hasControl(QStringLiteral("CmbRuc")) ? comboCode(QStringLiteral("CmbRuc")) : QString();
}

// --- Casilla boxes -------------------------------------------------------------------------

bool DeclarationFormModel::hasBox(int n) const {
    if (m_asked != nullptr) {
        m_asked->insert(n);
    }
    return m_boxes.contains(n);
}

const BoxState& DeclarationFormModel::box(int n) const {
    if (m_asked != nullptr) {
        m_asked->insert(n);
    }
    const auto it = m_boxes.constFind(n);
    if (it == m_boxes.cend()) {
        throw std::out_of_range("the form has no box txtValor(" + std::to_string(n) + ")");
    }
    return *it;
}

BoxState& DeclarationFormModel::boxState(int n) {
    const auto it = m_boxes.find(n);
    if (it == m_boxes.end()) {
        throw std::out_of_range("the form has no box txtValor(" + std::to_string(n) + ")");
    }
    return *it;
}

QString DeclarationFormModel::text(int n) const {
    return box(n).text;
}

double DeclarationFormModel::value(int n) const {
    return box(n).number;
}

bool DeclarationFormModel::isEmpty(int n) const {
    return box(n).blank;
}

void DeclarationFormModel::setText(int n, const QString& text) {
    BoxState& state = boxState(n);
    if (state.text == text) {
        return;
    }
    m_formatted.remove(n);
    storeText(state, text);
    fireChanged(n);
}

void DeclarationFormModel::restoreText(int n, const QString& text) {
    BoxState& state = boxState(n);
    if (state.text == text) {
        return;
    }
    m_formatted.remove(n);
    storeText(state, text);
    emit boxChanged(n);
}

void DeclarationFormModel::storeText(BoxState& state, const QString& text) {
    state.text = text;
    state.blank = text.trimmed().isEmpty();
    state.number = state.blank ? 0.0 : app::readWhole(text);
}

void DeclarationFormModel::fireChanged(int n) {
    emit boxChanged(n);
    if (m_eventDepth >= kMaxEventDepth) {
        return;
    }
    ++m_eventDepth;
    const auto handlers = m_changedHandlers;
    for (const auto& handler : handlers) {
        handler(n);
    }
    --m_eventDepth;
}

void DeclarationFormModel::setValue(int n, double value, const QString& mask) {
    BoxState& state = boxState(n);
    const auto known = m_formatted.constFind(n);
    if (known != m_formatted.cend() && known->value == value && known->mask == mask) {
        return;
    }
    const QString text = app::formatNumber(value, mask);
    if (state.text == text) {
        m_formatted.insert(n, {value, mask});
        return;
    }
    storeText(state, text);
    m_formatted.insert(n, {value, mask});
    fireChanged(n);
}

void DeclarationFormModel::setEnabled(int n, bool enabled) {
    BoxState& state = boxState(n);
    if (state.enabled != enabled) {
        state.enabled = enabled;
        emit boxChanged(n);
    }
}

void DeclarationFormModel::setLocked(int n, bool locked) {
    BoxState& state = boxState(n);
    if (state.locked != locked) {
        state.locked = locked;
        emit boxChanged(n);
    }
}

void DeclarationFormModel::setColour(int n, BoxColour colour) {
    BoxState& state = boxState(n);
    if (state.colour != colour) {
        state.colour = colour;
        emit boxChanged(n);
    }
}

void DeclarationFormModel::Habcasilla(int n) {
    BoxState& state = boxState(n);
    state.enabled = true;
    state.locked = false;
    state.colour = BoxColour::White;
    emit boxChanged(n);
}

void DeclarationFormModel::Descasilla(int n) {
    BoxState& state = boxState(n);
    state.enabled = false;
    state.locked = true;
    state.colour = BoxColour::ButtonFace;
    emit boxChanged(n);
    setText(n, QString());
}

void DeclarationFormModel::fixAtZero(int n) {
    BoxState& state = boxState(n);
    state.enabled = true;
    state.locked = true;
    state.colour = BoxColour::ButtonFace;
    emit boxChanged(n);
    setText(n, QStringLiteral("0"));
}

void DeclarationFormModel::clearBoxes(std::initializer_list<int> numbers) {
    for (const int n : numbers) {
        setText(n, QString());
    }
}

void DeclarationFormModel::focusIn(int n) {
    if (EditObserver* observer = editObserver()) {
        observer->boxEntered();
    }
    BoxState& state = boxState(n);
    const CasillaDef* def = casillas().find(n);
    state.focused = true;
    m_focused = n;
    state.maxLength = def->editingLength();
    emit boxChanged(n);
    const auto entered = m_enteredHandlers;
    for (const auto& handler : entered) {
        handler(n);
    }
    const QString mask = def->editMask();
    if (!state.text.trimmed().isEmpty() && !mask.isEmpty() && def->value != ValueClass::Coefficient &&
        def->value != ValueClass::Percentage) {
        // A deduction shown "(5,000)" is typed as 5000: its parentheses are not a sign here.
        setValue(n, def->value == ValueClass::Deduction ? std::fabs(state.number) : state.number, mask);
    }
}

void DeclarationFormModel::focusOut(int n) {
    BoxState& state = boxState(n);
    const CasillaDef* def = casillas().find(n);
    state.focused = false;
    if (m_focused == n) {
        m_focused = 0;
    }
    state.maxLength = def->displayLength();
    emit boxChanged(n);
    const QString mask = def->displayMask();
    if (!state.text.trimmed().isEmpty() && !mask.isEmpty() && def->value != ValueClass::Coefficient &&
        def->value != ValueClass::Percentage) {
        setValue(n, state.number, mask);
    }
    const auto handlers = m_leftHandlers;
    for (const auto& handler : handlers) {
        handler(n);
    }
    if (EditObserver* observer = editObserver()) {
        observer->boxLeft();
    }
}

// The casilla boxes and the named text boxes use the key rules every window shares.
QChar DeclarationFormModel::filterKey(int n, QChar typed) const {
    if (typed == kBackspace) {
        return typed;
    }
    const CasillaDef* def = casillas().find(n);
    switch (def->keys) {
    case KeyRule::Digits:
        return app::filterKey(app::KeyRule::Digits, typed);
    case KeyRule::Option137:
        return app::filterKey(app::KeyRule::BalanceOption, typed);
    case KeyRule::UpperCodeText:
        return app::filterKey(app::KeyRule::IdentificationText, typed);
    case KeyRule::UpperAlnum:
        return app::filterKey(app::KeyRule::IdentificationCode, typed);
    case KeyRule::RepresentativeDocument: {
        // Letters pass only for a document type whose length field (from position 71) reads 0.
        const QString item = comboText(controls::kRepresentativeDocType);
        const bool lettersAllowed = !item.isEmpty() && app::val(item.mid(70, 2)) == 0;
        return app::filterKey(app::KeyRule::RepresentativeDocument, typed, {}, lettersAllowed);
    }
    }
    return QChar();
}

KeyResult DeclarationFormModel::typeKey(int n, QChar typed) {
    const BoxState& state = box(n);
    if (!state.enabled || (m_readOnly && !isEnter(typed))) {
        return KeyResult::Refused;
    }
    if (isEnter(typed)) {
        const CasillaDef* def = casillas().find(n);
        if (def->kind == BoxKind::Assistant && clickBox(n)) {
            return KeyResult::OpenedWindow;
        }
        return KeyResult::NextControl;
    }
    if (state.locked) {
        return KeyResult::Refused;
    }
    const QChar kept = filterKey(n, typed);
    if (kept.isNull()) {
        return KeyResult::Dropped;
    }
    if (kept == kBackspace) {
        if (state.text.isEmpty()) {
            return KeyResult::Dropped;
        }
        setText(n, state.text.left(state.text.size() - 1));
        dirty = true;
        return KeyResult::Removed;
    }
    if (state.text.size() >= state.maxLength) {
        return KeyResult::Dropped;
    }
    setText(n, state.text + kept);
    dirty = true;
    return KeyResult::Inserted;
}

bool DeclarationFormModel::clickBox(int n) {
    if (m_readOnly) {
        return false; // an assistant's window would change the declaration
    }
    EditScope edit(editObserver(), true);
    const auto handlers = m_clickHandlers;
    for (const auto& handler : handlers) {
        if (handler(n)) {
            return true;
        }
    }
    return false;
}

// --- Named controls ------------------------------------------------------------------------

bool DeclarationFormModel::hasControl(const QString& name) const {
    return m_controls.contains(name);
}

const ControlDef& DeclarationFormModel::controlDef(const QString& name) const {
    const ControlDef* def = FormControls::instance().find(name);
    if (def == nullptr) {
        throw std::out_of_range("the form has no control " + name.toStdString());
    }
    return *def;
}

const ControlState& DeclarationFormModel::control(const QString& name) const {
    const auto it = m_controls.constFind(name);
    if (it == m_controls.cend()) {
        throw std::out_of_range("the form has no control " + name.toStdString());
    }
    return *it;
}

ControlState& DeclarationFormModel::controlState(const QString& name) {
    const auto it = m_controls.find(name);
    if (it == m_controls.end()) {
        throw std::out_of_range("the form has no control " + name.toStdString());
    }
    return *it;
}

int DeclarationFormModel::option(const QString& name) const {
    return control(name).value;
}

void DeclarationFormModel::setOption(const QString& name, int index) {
    ControlState& state = controlState(name);
    if (state.value != index) {
        state.value = index;
        emit controlChanged(name);
    }
}

bool DeclarationFormModel::clickOption(const QString& name, int index) {
    const ControlState& state = control(name);
    if (m_readOnly || !state.enabled || !state.memberEnabled.value(index, true) ||
        !controlDef(name).members.contains(index)) {
        return false;
    }
    EditScope edit(editObserver(), true);
    setOption(name, index);
    dirty = true;
    fireControl(name, index);
    return true;
}

int DeclarationFormModel::check(const QString& name, int index) const {
    const ControlState& state = control(name);
    return index < 0 ? state.value : state.memberValues.value(index, 0);
}

void DeclarationFormModel::setCheck(const QString& name, int value, int index) {
    ControlState& state = controlState(name);
    if (index < 0) {
        state.value = value;
    } else {
        state.memberValues.insert(index, value);
    }
    emit controlChanged(name);
}

bool DeclarationFormModel::clickCheck(const QString& name, int index) {
    const ControlState& state = control(name);
    if (m_readOnly || !state.enabled || (index >= 0 && !state.memberEnabled.value(index, true))) {
        return false;
    }
    EditScope edit(editObserver(), true);
    setCheck(name, check(name, index) == 1 ? 0 : 1, index);
    dirty = true;
    fireControl(name, index);
    return true;
}

void DeclarationFormModel::setComboItems(const QString& name, const QList<ComboItem>& items) {
    ControlState& state = controlState(name);
    state.items = items;
    state.current = -1;
    emit controlChanged(name);
}

QString DeclarationFormModel::comboCode(const QString& name) const {
    const ControlState& state = control(name);
    return state.current >= 0 && state.current < state.items.size() ? state.items.at(state.current).code : QString();
}

QString DeclarationFormModel::comboText(const QString& name) const {
    const ControlState& state = control(name);
    return state.current >= 0 && state.current < state.items.size() ? state.items.at(state.current).text : QString();
}

void DeclarationFormModel::setComboCode(const QString& name, const QString& code) {
    const ControlState& state = control(name);
    int found = -1;
    for (int i = 0; i < state.items.size(); ++i) {
        if (state.items.at(i).code == code) {
            found = i;
            break;
        }
    }
    setComboIndex(name, found);
}

void DeclarationFormModel::setComboIndex(const QString& name, int index) {
    ControlState& state = controlState(name);
    if (state.current != index) {
        state.current = index;
        emit controlChanged(name);
    }
}

bool DeclarationFormModel::chooseCombo(const QString& name, const QString& code) {
    const ControlState& state = control(name);
    if (m_readOnly || !state.enabled) {
        return false;
    }
    int found = -1;
    for (int i = 0; i < state.items.size(); ++i) {
        if (state.items.at(i).code == code) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        return false;
    }
    EditScope edit(editObserver(), true);
    setComboIndex(name, found);
    dirty = true;
    fireControl(name, found);
    return true;
}

QString DeclarationFormModel::controlText(const QString& name) const {
    return control(name).text;
}

void DeclarationFormModel::setControlText(const QString& name, const QString& text) {
    ControlState& state = controlState(name);
    if (state.text == text) {
        return;
    }
    state.text = text;
    emit controlChanged(name);
    fireControl(name, -1);
}

QChar DeclarationFormModel::filterControlKey(const QString& name, QChar typed) const {
    if (typed == kBackspace) {
        return typed;
    }
    switch (controlDef(name).textRule) {
    case TextRule::Names:
        return app::filterKey(app::KeyRule::PersonName, typed);
    case TextRule::Registry:
        return app::filterKey(app::KeyRule::RegistryEntry, typed);
    case TextRule::Digits:
        return app::filterKey(app::KeyRule::Digits, typed);
    case TextRule::Email:
        return app::filterKey(app::KeyRule::Email, typed, control(name).text);
    case TextRule::Free:
        break;
    }
    return app::filterKey(app::KeyRule::FreeText, typed);
}

KeyResult DeclarationFormModel::typeControlKey(const QString& name, QChar typed) {
    const ControlState& state = control(name);
    if (!state.enabled || (m_readOnly && !isEnter(typed))) {
        return KeyResult::Refused;
    }
    if (isEnter(typed)) {
        return KeyResult::NextControl;
    }
    const QChar kept = filterControlKey(name, typed);
    if (kept.isNull()) {
        return KeyResult::Dropped;
    }
    const QString current = state.text;
    if (kept == kBackspace) {
        if (current.isEmpty()) {
            return KeyResult::Dropped;
        }
        setControlText(name, current.left(current.size() - 1));
        dirty = true;
        return KeyResult::Removed;
    }
    const int maxLength = controlDef(name).maxLength;
    if (maxLength > 0 && current.size() >= maxLength) {
        return KeyResult::Dropped;
    }
    setControlText(name, current + kept);
    dirty = true;
    return KeyResult::Inserted;
}

bool DeclarationFormModel::clickCommand(const QString& name, int index) {
    const ControlState& state = control(name);
    if (m_readOnly) {
        if (name == kSaveCommand) {
            m_context.prompter.message(kReadOnlySave, caption, app::Icon::Exclamation);
            return true;
        }
        if (name == kExitCommand) {
            requestClose(); // nothing was changed, so nothing is asked, checked or written
            return true;
        }
        if (name != kValidateCommand) {
            return false;
        }
    }
    if (!state.enabled || !state.memberEnabled.value(index, true)) {
        return false;
    }
    // The form's own commands (validate, save, exit) are no edit: undo does not take them back.
    static const QStringList formCommands = {controls::kValidate, controls::kSave, controls::kExit};
    EditScope edit(formCommands.contains(name) ? nullptr : editObserver(), true);
    fireControl(name, index);
    return true;
}

void DeclarationFormModel::setReadOnly() {
    if (m_readOnly) {
        return;
    }
    m_readOnly = true;
    showOnly({kValidateCommand, kSaveCommand, kExitCommand});
    emit readOnlyChanged();
}

void DeclarationFormModel::showOnly(const QStringList& stillActive) {
    for (const CasillaDef* def : casillas().boxes()) {
        setLocked(def->number, true);
    }
    for (const ControlDef& def : FormControls::instance().all()) {
        if (def.kind == ControlKind::Grid || def.kind == ControlKind::Label || stillActive.contains(def.name) ||
            !hasControl(def.name)) {
            continue;
        }
        setControlEnabled(def.name, false);
    }
    m_payment.enabled = false;
    paymentChanged();
}

void DeclarationFormModel::setControlEnabled(const QString& name, bool enabled) {
    ControlState& state = controlState(name);
    if (state.enabled != enabled) {
        state.enabled = enabled;
        emit controlChanged(name);
    }
}

void DeclarationFormModel::setMemberEnabled(const QString& name, int index, bool enabled) {
    ControlState& state = controlState(name);
    state.memberEnabled.insert(index, enabled);
    emit controlChanged(name);
}

void DeclarationFormModel::changed(const QString& name) {
    emit controlChanged(name);
}

void DeclarationFormModel::paymentChanged() {
    emit paymentStateChanged();
}

// --- Events --------------------------------------------------------------------------------

void DeclarationFormModel::onCasillaChanged(CasillaHandler handler) {
    m_changedHandlers.append(std::move(handler));
}

void DeclarationFormModel::onCasillaEntered(CasillaHandler handler) {
    m_enteredHandlers.append(std::move(handler));
}

void DeclarationFormModel::onCasillaLeft(CasillaHandler handler) {
    m_leftHandlers.append(std::move(handler));
}

void DeclarationFormModel::onCasillaClicked(std::function<bool(int)> handler) {
    m_clickHandlers.append(std::move(handler));
}

void DeclarationFormModel::onControl(const QString& name, ControlHandler handler) {
    m_controlHandlers[name].append(std::move(handler));
}

void DeclarationFormModel::fireControl(const QString& name, int index) {
    if (m_eventDepth >= kMaxEventDepth) {
        return;
    }
    ++m_eventDepth;
    const auto handlers = m_controlHandlers.value(name);
    for (const auto& handler : handlers) {
        handler(index);
    }
    --m_eventDepth;
}

void DeclarationFormModel::showPage(const QString& pageId, const QString& focusTarget) {
    currentPage = pageId;
    emit pageRequested(pageId, focusTarget);
}

void DeclarationFormModel::selectPage(const QString& pageId) {
    currentPage = pageId;
    const auto handlers = m_pageHandlers;
    for (const auto& handler : handlers) {
        handler(pageId);
    }
}

void DeclarationFormModel::onPageSelected(std::function<void(const QString&)> handler) {
    m_pageHandlers.append(std::move(handler));
}

void DeclarationFormModel::selectGridRow(const QString& name, int row) {
    ControlState& state = controlState(name);
    if (state.current != row) {
        state.current = row;
        m_selectedRows.remove(name);
        emit controlChanged(name);
    }
}

void DeclarationFormModel::setSelectedRowValues(const QString& grid, const QVariantMap& values) {
    if (values.isEmpty()) {
        m_selectedRows.remove(grid);
    } else {
        m_selectedRows.insert(grid, values);
    }
}

QVariantMap DeclarationFormModel::selectedRowValues(const QString& grid) const {
    return m_selectedRows.value(grid);
}

QString DeclarationFormModel::labelTotal(const QString& name) const {
    const ControlDef& def = controlDef(name);
    if (def.query.isEmpty()) {
        return {};
    }
    double total = 0;
    try {
        total = m_context.db.scalar(def.query).toDouble();
    } catch (const store::DatabaseError&) {
        total = 0; // a working table being rebuilt shows no total until it is read again
    }
    return app::formatNumber(total, def.totalMask.isEmpty() ? app::masks::kAmount : def.totalMask);
}

void DeclarationFormModel::refreshGrid(const QString& name) {
    emit gridRefreshRequested(name);
}

void DeclarationFormModel::requestClose() {
    emit closeRequested();
}

void DeclarationFormModel::setHelpText(const QString& text, const QString& text2) {
    if (helpText != text || helpText2 != text2) {
        helpText = text;
        helpText2 = text2;
        emit helpTextChanged();
    }
}

namespace {
// Controls whose state text is their caption; the others keep their text as their value.
bool textIsCaption(ControlKind kind) {
    return kind == ControlKind::OptionGroup || kind == ControlKind::CheckBox || kind == ControlKind::CheckArray ||
           kind == ControlKind::Label;
}
} // namespace

QString DeclarationFormModel::controlCaption(const QString& name) const {
    const ControlDef& def = controlDef(name);
    if (textIsCaption(def.kind)) {
        const QString& text = control(name).text;
        return text.isEmpty() ? def.caption : text;
    }
    return m_captions.value(name, def.caption);
}

void DeclarationFormModel::setControlCaption(const QString& name, const QString& text) {
    if (textIsCaption(controlDef(name).kind)) {
        ControlState& state = controlState(name);
        if (state.text != text) {
            state.text = text;
            emit controlChanged(name);
        }
    } else if (m_captions.value(name) != text || !m_captions.contains(name)) {
        m_captions.insert(name, text);
        emit controlChanged(name);
    }
}

void DeclarationFormModel::onAnswersApplied(std::function<void()> handler) {
    m_answerHandlers.append(std::move(handler));
}

void DeclarationFormModel::notifyAnswersApplied() {
    const auto handlers = m_answerHandlers;
    for (const auto& handler : handlers) {
        handler();
    }
    emit answersApplied();
}

void DeclarationFormModel::onBoxPointed(std::function<void(int)> handler) {
    m_pointHandlers.append(std::move(handler));
}

void DeclarationFormModel::pointAt(int casilla) {
    const auto handlers = m_pointHandlers;
    for (const auto& handler : handlers) {
        handler(casilla);
    }
}

bool DeclarationFormModel::hasControlHandler(const QString& name) const {
    return !m_controlHandlers.value(name).isEmpty();
}

int DeclarationFormModel::statementChart() const {
    const QString plan = QStringLiteral("OptPlan");
    return hasControl(plan) && option(plan) == 1 ? 1 : 2;
}

// --- The undo history's view ----------------------------------------------------------------

bool sameForm(const FormState& a, const FormState& b) {
    if (a.boxes.size() != b.boxes.size() || a.controls.size() != b.controls.size()) {
        return false;
    }
    for (auto it = a.boxes.cbegin(); it != a.boxes.cend(); ++it) {
        const auto other = b.boxes.constFind(it.key());
        if (other == b.boxes.cend() || !sameBox(*it, *other)) {
            return false;
        }
    }
    for (auto it = a.controls.cbegin(); it != a.controls.cend(); ++it) {
        const auto other = b.controls.constFind(it.key());
        if (other == b.controls.cend() || !sameControl(*it, *other)) {
            return false;
        }
    }
    return samePayment(a.payment, b.payment) && a.answerSlots == b.answerSlots && a.detailTable3 == b.detailTable3 &&
           a.keptCasillas == b.keptCasillas && a.slot781 == b.slot781 && a.currentRate == b.currentRate;
}

FormState DeclarationFormModel::state() const {
    return FormState{m_boxes,      m_controls, m_payment,   answerSlots, detailTable3,
                     keptCasillas, slot781,    currentRate, ruleFormulas};
}

// The boxes keep where the caret is; everything else is put back as it was, and the window
// repaints what differs.
void DeclarationFormModel::restoreState(const FormState& saved) {
    QList<int> boxes;
    for (auto it = saved.boxes.cbegin(); it != saved.boxes.cend(); ++it) {
        const auto current = m_boxes.find(it.key());
        if (current == m_boxes.end() || sameBox(*current, *it)) {
            continue;
        }
        BoxState restored = *it;
        restored.focused = current->focused;
        restored.maxLength = current->maxLength;
        *current = restored;
        m_formatted.remove(it.key());
        boxes.append(it.key());
    }
    QStringList controls;
    for (auto it = saved.controls.cbegin(); it != saved.controls.cend(); ++it) {
        const auto current = m_controls.find(it.key());
        if (current != m_controls.end() && !sameControl(*current, *it)) {
            *current = *it;
            controls.append(it.key());
        }
    }
    const bool paymentDiffers = !samePayment(m_payment, saved.payment);
    m_payment = saved.payment;
    answerSlots = saved.answerSlots;
    detailTable3 = saved.detailTable3;
    keptCasillas = saved.keptCasillas;
    slot781 = saved.slot781;
    currentRate = saved.currentRate;
    ruleFormulas = saved.ruleFormulas;
    dirty = true;
    for (const int n : boxes) {
        emit boxChanged(n);
    }
    for (const QString& name : controls) {
        emit controlChanged(name);
    }
    if (paymentDiffers) {
        emit paymentStateChanged();
    }
}

} // namespace qel::declaration
