#pragma once

#include <QLineEdit>
#include <functional>

namespace qel::declaration {

// A text box of the declaration form: nothing can be pasted into it (Shift+Insert, Ctrl+V,
// the context-menu key and a right or middle button press empty the clipboard or are
// dropped), each typed character goes through a key filter first, and Enter is handed to
// the owner, who moves the focus on as Tab does.
class GuardedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // The character to insert (possibly converted), or QChar() to drop the key.
    using KeyFilter = std::function<QChar(QChar typed)>;
    // Enter was pressed; answers whether the focus moves on.
    using EnterHandler = std::function<bool()>;

    explicit GuardedLineEdit(QWidget* parent = nullptr);

    void setKeyFilter(KeyFilter filter) { m_filter = std::move(filter); }
    void setEnterHandler(EnterHandler handler) { m_onEnter = std::move(handler); }
    void setFocusHandlers(std::function<void(Qt::FocusReason)> in, std::function<void()> out);
    void setClickHandler(std::function<void()> handler) { m_onClick = std::move(handler); }
    // The mouse came over the box.
    void setPointerHandler(std::function<void()> handler) { m_onPointer = std::move(handler); }

    // Empties the clipboard, so that nothing typed or chosen later can be pasted.
    static void clearClipboard();
    // Whether the key is one of the paste keys that the guard takes away.
    static bool isPasteKey(const QKeyEvent& event);

signals:
    // Enter moved on: the owner decides where the focus goes.
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    KeyFilter m_filter;
    EnterHandler m_onEnter;
    std::function<void(Qt::FocusReason)> m_onFocusIn;
    std::function<void()> m_onFocusOut;
    std::function<void()> m_onClick;
    std::function<void()> m_onPointer;
    bool m_inside = false; // between the form's focus-in and focus-out of the box
};

} // namespace qel::declaration
