#include "form.h"

#include <algorithm>
#include <array>

namespace talvex::form {

namespace {

constexpr std::string_view kDescription =
    "PIN е съкращение от Personal Identification Number. Често намира приложение като парола и най-срещаните съвети при неговото формиране са: \r\n"
    "да няма информация за Вас, която е публично достояние като: Вашата рождена дата, номера на Вашия телефон, регистрационен номер на лек автомобил, адрес на улица, поредни цифри  и др\r\n"
    "Да се състави проект, чрез който се осъществява междупредметна връзка между ИТ и Информатика.\r\n"
    "Чрез  проекта да се генерира уникален PIN код - 4-цифрено естествено число.\r\n"
    "Всяка отделна цифра в PIN кода да представлява ред от списъчно меню.\r\n"
    "Чрез командни бутони Потребителят да:\r\n"
    "а) посочва/автоматично генерира нов PIN код;\r\n"
    "б) почиства въведените данни и изведените резултати.\r\n";

constexpr std::string_view kQuotation =
    "Неприятното в това да си първият, направил нещо по правилния начин, е, че никой не оценява колко трудно е било. \r\n";

constexpr std::array<std::string_view, 10> kDigitRows = {"0", "1", "2", "3", "4",
                                                         "5", "6", "7", "8", "9"};

constexpr Rgb kClearFace{255, 0, 0};
constexpr Rgb kChooseFace{128, 255, 128};
constexpr Rgb kTitleBackground{255, 192, 128};

constexpr std::array kControls = {
    Control{.kind = Kind::PushButton,
            .array = kCommand1,
            .index = 1,
            .rect = {4080, 1800, 1455, 495},
            .tabIndex = 8,
            .text = "Почисти",
            .background = &kClearFace},
    Control{.kind = Kind::PushButton,
            .array = kCommand1,
            .index = 0,
            .rect = {4080, 720, 1455, 495},
            .tabIndex = 7,
            .text = "Избор",
            .background = &kChooseFace},
    Control{.kind = Kind::ListBox,
            .array = kList1,
            .index = 3,
            .rect = {2280, 720, 615, 1770},
            .tabIndex = 6,
            .text = {},
            .rows = kDigitRows,
            .accessibleName = "Четвърта цифра на PIN кода"},
    Control{.kind = Kind::ListBox,
            .array = kList1,
            .index = 2,
            .rect = {1680, 720, 615, 1770},
            .tabIndex = 5,
            .text = {},
            .rows = kDigitRows,
            .accessibleName = "Трета цифра на PIN кода"},
    Control{.kind = Kind::ListBox,
            .array = kList1,
            .index = 1,
            .rect = {1080, 720, 615, 1770},
            .tabIndex = 4,
            .text = {},
            .rows = kDigitRows,
            .accessibleName = "Втора цифра на PIN кода"},
    Control{.kind = Kind::ListBox,
            .array = kList1,
            .index = 0,
            .rect = {480, 720, 615, 1770},
            .tabIndex = 3,
            .text = {},
            .rows = kDigitRows,
            .accessibleName = "Първа цифра на PIN кода"},
    Control{.kind = Kind::TextBox,
            .array = kText1,
            .index = 1,
            .rect = {600, 3240, 6735, 1815},
            .tabIndex = 1,
            .text = kQuotation,
            .visible = false},
    Control{.kind = Kind::TextBox,
            .array = kText1,
            .index = kOutputBox,
            .rect = {120, 2880, 6735, 1815},
            .tabIndex = 0,
            .text = kDescription,
            .accessibleName = "Поле за PIN кода"},
    Control{.kind = Kind::Label,
            .array = kLabel1,
            .index = 0,
            .rect = {120, 0, 6975, 375},
            .tabIndex = 2,
            .text = "Случайни числа - генериране на PIN код (4-цифрено естествено)",
            .background = &kTitleBackground},
};

constexpr Window kTalvex{
    .name = "Talvex",
    .caption = "https://talvex.example.org  ИТ - генериране на PIN код",
    .clientWidth = 7170,
    .clientHeight = 5175,
    .background = {192, 192, 255},
    .textOnFixedBackground = {0, 0, 0},
    .font = {.face = "Times New Roman",
             .fallbackFace = "Liberation Serif",
             .points = 12,
             .weight = 400,
             .italic = false,
             .underline = false,
             .strikeOut = false,
             .charset = 204},
    .noPinText = "Не може да бъде генериран PIN код: системата не дава случайни числа.",
    .clearedText = "Изборът и полето с PIN кода са изчистени.",
    .controls = kControls,
};

} // namespace

const Window& talvex() {
    return kTalvex;
}

const Control* find(const Window& window, std::string_view array, int index) {
    const auto found = std::ranges::find_if(window.controls, [&](const Control& control) {
        return control.array == array && control.index == index;
    });
    return found == window.controls.end() ? nullptr : &*found;
}

} // namespace talvex::form
