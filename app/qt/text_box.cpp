#include "text_box.h"

#include <QMimeData>
#include <QTextDocumentFragment>

namespace talvex::qt {

namespace {

QString withCrLf(QString text) {
    return text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
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
    setPlainText(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

QMimeData* TextBox::createMimeDataFromSelection() const {
    auto* data = new QMimeData;
    data->setText(withCrLf(textCursor().selection().toPlainText()));
    return data;
}

} // namespace talvex::qt
