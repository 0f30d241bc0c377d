#include "text_box.h"

#include "app/form.h"
#include "app/text_capacity.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocumentFragment>
#include <algorithm>
#include <limits>
#include <string_view>

namespace talvex::qt {

namespace {

QString withCrLf(QString text) {
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

// Each of these breaks a line in a QTextDocument and comes out of it as one LF, so each counts
// as a CR LF.
bool breaksLine(QChar unit) {
    switch (unit.unicode()) {
    case u'\n':
    case u'\r':
    case QChar::LineSeparator:
    case QChar::ParagraphSeparator:
    case 0xFDD0: // where QTextDocument begins a frame
    case 0xFDD1: // and ends one
        return true;
    default:
        return false;
    }
}

// `text` as the box gives it out, every line break as CR LF, but only up to `limit` code units
// (or one more, for a whole CR LF): of a paste of megabytes, only the start can fit.
QString asCrLf(QStringView text, qsizetype limit = std::numeric_limits<qsizetype>::max()) {
    QString result;
    for (qsizetype i = 0; i < text.size() && result.size() < limit; ++i) {
        if (!breaksLine(text[i])) {
            result += text[i];
            continue;
        }
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
        result += QLatin1String("\r\n");
    }
    return result;
}

// Whether a key types its text, as Qt's text controls decide it: not a control character, and
// not with Ctrl or Ctrl+Shift, which make shortcuts (Ctrl+V may carry the text "v"), but for
// formatting characters such as the zero-width joiner, which Windows types with Ctrl+Shift.
bool typesText(const QKeyEvent& event) {
    const QString text = event.text();
    if (text.isEmpty()) {
        return false;
    }
    if (text.front().category() == QChar::Other_Format) {
        return true;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return modifiers != Qt::ControlModifier &&
           modifiers != (Qt::ControlModifier | Qt::ShiftModifier) &&
           text.front().category() != QChar::Other_Control;
}

} // namespace

TextBox::TextBox(QWidget* parent)
    : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QString TextBox::crlfText() const {
    return withCrLf(toPlainText());
}

void TextBox::setCrlfText(const QString& text) {
    // A selection goes with the text it was made in, and so does the primary selection that
    // offers it to other programs: once Почисти has run, no PIN is to be had from it.
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard->ownsSelection()) {
        clipboard->clear(QClipboard::Selection);
    }
    setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

QMimeData* TextBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(withCrLf(textCursor().selection().toPlainText()));
    // Whatever leaves the box may be a PIN: clipboard managers keep no history of data so
    // marked (KDE's Klipper, and others that follow it).
    data->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    return data;
}

std::optional<QString> TextBox::cutToRoom(QStringView text) const {
    const qsizetype selected = withCrLf(textCursor().selection().toPlainText()).size();
    const qsizetype room =
        std::max<qsizetype>(0, form::kTextBoxCapacity - crlfText().size() + selected);
    QString fit = asCrLf(text, room + 1);
    if (fit.size() <= room) {
        return std::nullopt;
    }
    const std::u16string_view units(QStringView(fit).utf16(), static_cast<std::size_t>(fit.size()));
    fit.truncate(
        static_cast<qsizetype>(form::fittingLength(units, static_cast<std::size_t>(room))));
    return fit;
}

QString TextBox::pastable(const QMimeData* source) const {
    // The formats, asked first and once, also spare the window a wait for each text format in
    // turn where an X clipboard's owner does not answer: Qt gives each request five seconds.
    if (source == nullptr || source->formats().isEmpty()) {
        return {};
    }
    const QString text = source->text();
    return cutToRoom(text).value_or(text);
}

bool TextBox::canInsertFromMimeData(const QMimeData* source) const {
    return !pastable(source).isEmpty();
}

void TextBox::insertFromMimeData(const QMimeData* source) {
    // Qt 6.4 takes the first of the source's formats without asking whether it has any, and an
    // empty clipboard has none: the paste, the middle click and the drop crash in Qt itself.
    // Only our own data, text alone, ever reaches it.
    const QString text = pastable(source);
    if (text.isEmpty()) {
        return;
    }
    QMimeData own;
    own.setText(text);
    QPlainTextEdit::insertFromMimeData(&own);
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    // Enter and Shift+Enter break the line.
    const bool newLine = event->matches(QKeySequence::InsertParagraphSeparator) ||
                         event->matches(QKeySequence::InsertLineSeparator);
    const bool types = newLine || typesText(*event);
    const QString typed = newLine ? QStringLiteral("\n") : event->text();
    if (const std::optional<QString> fit = types ? cutToRoom(typed) : std::nullopt) {
        if (!fit->isEmpty()) {
            insertPlainText(*fit);
        }
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    const std::optional<QString> fit = cutToRoom(event->commitString());
    if (!fit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fitting(event->preeditString(), event->attributes());
    fitting.setCommitString(*fit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fitting);
    event->setAccepted(fitting.isAccepted());
}

} // namespace talvex::qt
