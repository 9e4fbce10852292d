// Setup dialog: loading its fields from and saving them to the configuration file, its
// commands, and the composition of the compiler's switch string.
#include "setup/setup_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShowEvent>

#include "platform/dialogs.h"
#include "platform/profile.h"
#include "platform/qt/error_report.h"
#include "platform/qt/qt_text.h"
#include "platform/shared_data.h"
#include "platform/str_to_int.h"
#include "project/qt/directory_edit.h"
#include "toolrun/command_template.h"
#include "toolrun/packaged_toolchain.h"
#include "widgets/color_combo_box.h"
#include "widgets/file_open_edit.h"
#include "widgets/toggle_btn.h"

namespace {

bool IsTrue(const std::string& value) {
    return value == "TRUE";
}

const char* TrueFalse(bool on) {
    return on ? "TRUE" : "FALSE";
}

}  // namespace

std::string TfrmSetup::ComposeOptionString(bool hu, bool cd, bool scd, bool t, bool s, bool v,
                                           const std::string& extra) {
    std::string options;
    if (!hu) {
        if (cd) {
            options += " -cd";
        } else if (scd) {
            options += " -scd";
        }
    }
    if (t) options += " -T";
    if (s) options += " -S";
    if (v) options += " -V";
    return options + " " + extra;
}

std::array<TabcFileOpenEdit*, 7> TfrmSetup::PathEdits() const {
    return {edtCC, edtASM, edtA, edtB, edtC, edtD, edtE};
}

std::array<TabcColorComboBox*, 8> TfrmSetup::ColorBoxes() const {
    // The order of the keys: the key colour comes before the number colour.
    return {clBG, clASM, clCOM, clDIR, clID, clKEY, clNUM, clSTR};
}

void TfrmSetup::ShowSetup() {
    if (isVisible()) {
        if (isMinimized()) showNormal();
    } else {
        show();
    }
    raise();
    activateWindow();
}

void TfrmSetup::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // A window restored by the window system is no new opening of the dialog.
    if (!event->spontaneous()) RunCommand([this] { FormShow(); });
}

bool TfrmSetup::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblSTR && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        RunCommand([this] { Button1Click(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmSetup::FormShow() {
    const TSetupValues values = m_store->ReadAll();
    const auto value = [&values](int key) -> const std::string& {
        return values[static_cast<std::size_t>(key)];
    };
    const std::array<TabcFileOpenEdit*, 7> paths = PathEdits();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        paths[i]->SetText(value(skCompiler + static_cast<int>(i)));
    }
    // A file-type toggle going down releases the others, so the last "TRUE" of the three wins.
    const std::array<TabcToggleBtn*, 6> toggles{togHu, togCD, togSCD, togT, togS, togV};
    for (std::size_t i = 0; i < toggles.size(); ++i) {
        toggles[i]->SetDown(IsTrue(value(skHuCard + static_cast<int>(i))));
    }
    edtOptions->setText(ToQ(value(skExtra)));
    edtProject->SetText(value(skProject));
    edtInclude->SetPath(value(skInclude));
    UpdateOptionsWarning();
    const std::array<TabcColorComboBox*, 8> boxes = ColorBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->SetSelectedColor(StrToInt(value(skBgColor + static_cast<int>(i))));
    }
}

void TfrmSetup::Button1Click() {
    // A setting is one line of the file: line breaks pasted into a field become blanks, so they
    // cannot start a section or key of their own, and the user is told which fields changed.
    std::string changedFields;
    const auto oneLine = [&changedFields](const std::string& text, const char* field) {
        if (!HoldsLineBreak(text)) return text;
        changedFields += std::string(changedFields.empty() ? "" : ", ") + field;
        return OneLineProfileValue(text);
    };
    static constexpr std::array<const char*, 7> kPathFields{
        "C Compiler", "ASM Compiler", "Emulator 1", "Emulator 2",
        "Emulator 3", "Emulator 4",   "Emulator 5"};
    TSetupValues values;
    const auto value = [&values](int key) -> std::string& {
        return values[static_cast<std::size_t>(key)];
    };
    const std::array<TabcFileOpenEdit*, 7> paths = PathEdits();
    for (std::size_t i = 0; i < paths.size(); ++i)
        value(skCompiler + static_cast<int>(i)) = oneLine(paths[i]->Text(), kPathFields[i]);
    const std::array<TabcToggleBtn*, 6> toggles{togHu, togCD, togSCD, togT, togS, togV};
    for (std::size_t i = 0; i < toggles.size(); ++i)
        value(skHuCard + static_cast<int>(i)) = TrueFalse(toggles[i]->Down());
    const std::string extra = oneLine(FromQ(edtOptions->text()), "Extra Switches");
    value(skExtra) = extra;
    value(skOptionStr) = ComposeOptionString(togHu->Down(), togCD->Down(), togSCD->Down(),
                                             togT->Down(), togS->Down(), togV->Down(), extra);
    // A box without a selection holds a colour the list does not offer; it keeps that colour
    // rather than turning it black.
    const std::array<TabcColorComboBox*, 8> boxes = ColorBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        value(skBgColor + static_cast<int>(i)) = IntToStr(boxes[i]->KeptColor());
    value(skProject) = oneLine(edtProject->Text(), "Project Build");
    value(skInclude) = oneLine(edtInclude->Path(), "C Include Directory");
    m_store->WriteAll(values);
    if (!changedFields.empty()) {
        Dialogs().MessageDlg(
            "A setting is one line: the line breaks in " + changedFields + " were saved as blanks.",
            TMsgDlgType::mtWarning, mbOK);
    }
    close();
}

void TfrmSetup::FindPackagedToolsClick() {
    const TPackagedToolchain tools = FindPackagedToolchain(SharedDataDirectory("tools"));
    if (!tools.CompilerCommand.empty()) edtCC->SetText(tools.CompilerCommand);
    if (!tools.AssemblerCommand.empty()) edtASM->SetText(tools.AssemblerCommand);
    if (!tools.EmulatorCommand.empty()) edtA->SetText(tools.EmulatorCommand);
    if (!tools.ProjectCommand.empty()) edtProject->SetText(tools.ProjectCommand);
    if (tools.Missing.empty()) return;
    std::string text = "These tools were not found and keep their commands:";
    for (const std::string& line : tools.Missing) text += "\r\n" + line;
    Dialogs().MessageDlg(text, TMsgDlgType::mtWarning, mbOK);
}

void TfrmSetup::UpdateOptionsWarning() {
    if (lblOptionsWarning == nullptr) return;  // while the pages are being made
    const std::string compiler = edtCC->Text();
    const std::string switches =
        ComposeOptionString(togHu->Down(), togCD->Down(), togSCD->Down(), togT->Down(),
                            togS->Down(), togV->Down(), FromQ(edtOptions->text()));
    const bool anySwitch = switches.find_first_not_of(" \t") != std::string::npos;
    const bool dropsSwitches =
        IsCommandTemplate(compiler) && compiler.find("{options}") == std::string::npos;
    lblOptionsWarning->setVisible(anySwitch && dropsSwitches);
}