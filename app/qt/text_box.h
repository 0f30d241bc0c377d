#pragma once

#include <QPlainTextEdit>
#include <optional>

namespace talvex::qt {

// A text box whose text breaks lines with CR LF, as the window's texts do, both for the
// program and for whatever the user copies out of it; inside, Qt keeps its own paragraphs.
// What the user types, pastes or drops stops at form::kTextBoxCapacity, counted in that CR LF
// form: Qt lays out a line without break points in time that grows with the square of its
// length, so a paste of megabytes would otherwise freeze the window for minutes.
class TextBox final : public QPlainTextEdit {
public:
    explicit TextBox(QWidget* parent);

    [[nodiscard]] QString crlfText() const;
    // Not held to the capacity, as the Windows edit control's limit does not hold WM_SETTEXT:
    // the program sets only its own short texts, or puts back what the user had, which was
    // within the capacity already, and cutting either would lose text without a word.
    void setCrlfText(const QString& text);

protected:
    [[nodiscard]] QMimeData* createMimeDataFromSelection() const override;
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Null when all of `text` fits in place of the selection; otherwise as much of it as fits,
    // with every line break as CR LF.
    [[nodiscard]] std::optional<QString> cutToRoom(QStringView text) const;
    // What a paste or drop of `source` puts in: its text, as much as fits; empty where it holds
    // none, or none is left to it.
    [[nodiscard]] QString pastable(const QMimeData* source) const;
};

} // namespace talvex::qt
