#pragma once

#include "pin/controls.h"
#include "pin/random_source.h"

#include <QWidget>
#include <array>
#include <cstdint>

class QListWidget;

namespace talvex::form {
struct Control;
}

namespace talvex::qt {

class TextBox;

// The window Talvex, built from its form description. It only wires the buttons to the
// command handler and lets the handler reach the lists and the output box.
class MainWindow final : public QWidget, private pin::Controls {
public:
    explicit MainWindow(pin::RandomSource& random);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createControl(const form::Control& control);
    void command1Click(std::int16_t index, QWidget& button);

    [[nodiscard]] pin::Row listIndex(int list) const override;
    void setListIndex(int list, pin::Row row) override;
    [[nodiscard]] std::string outputText() const override;
    void setOutputText(std::string_view text) override;

    pin::RandomSource& random_;
    std::array<QListWidget*, pin::kDigitLists> lists_{};
    TextBox* output_ = nullptr;
};

} // namespace talvex::qt
