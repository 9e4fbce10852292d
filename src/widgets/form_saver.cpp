// Restoring and saving a window's properties through its INI file.
#include "widgets/form_saver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QMetaObject>
#include <QStyle>

#include "platform/dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/str_to_int.h"
#include "widgets/form_properties.h"
#include "widgets/screen_fit.h"

namespace {

// Window coordinates and sizes beyond these are not real placements (a damaged or hand-edited
// file); such values count as not stored.
constexpr int kMaxCoordinate = 32767;

bool PlausiblePosition(int value) {
    return value >= -kMaxCoordinate && value <= kMaxCoordinate;
}

bool PlausibleSize(int value) {
    return value > 0 && value <= kMaxCoordinate;
}

QWidget* AsWindow(QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    return widget != nullptr && widget->isWindow() ? widget : nullptr;
}

}  // namespace

std::string ExecutableIniFileName() {
    std::string path = QCoreApplication::applicationFilePath().toStdString();
    const std::size_t slash = path.find_last_of("/\\");
    const std::size_t dot = path.rfind('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.erase(dot);
    return path + ".INI";
}

TabcFormSaver::TabcFormSaver(QObject* owner) : QObject(owner) {
    QWidget* form = AsWindow(owner);
    if (form == nullptr && owner != nullptr) form = AsWindow(owner->parent());
    if (form == nullptr) {
        // Qt would otherwise delete this half-made object along with the owner later on.
        setParent(nullptr);
        throw EComponentError("This component must be owned by a TForm");
    }
    m_form = form;
}

TabcFormSaver::~TabcFormSaver() {
    if (!m_autoSave || m_form.isNull()) return;
    try {
        if (m_iniFile == nullptr) OpenIniFile();
        WriteProperties(true);
    } catch (...) {
        // An unwritable placement file costs the next start its placement, nothing more.
    }
}

void TabcFormSaver::SetIniFileName(const std::string& value) {
    if (value == m_iniFileName) return;
    m_iniFileName = value;
    if (m_iniFile != nullptr) OpenIniFile();
}

std::string TabcFormSaver::SectionName() const {
    std::string className = m_formClassName;
    if (className.empty() && m_form) className = m_form->metaObject()->className();
    return className + "." + objectName().toStdString() + " Form Properties";
}

void TabcFormSaver::OpenIniFile() {
    m_iniFile =
        std::make_unique<TIniFile>(m_iniFileName.empty() ? ExecutableIniFileName() : m_iniFileName);
}

void TabcFormSaver::Loaded() {
    if (m_form) m_formClassName = m_form->metaObject()->className();
    OpenIniFile();
    if (m_autoRestore) Restore();
}

void TabcFormSaver::Restore() {
    if (m_iniFile == nullptr) OpenIniFile();
    try {
        RestoreProperties();
    } catch (const std::exception& error) {
        Dialogs().MessageDlg(std::string("Error restoring form property ") + error.what(),
                             TMsgDlgType::mtCustom, mbOK);
    }
    if (OnRestore) OnRestore(this);
}

void TabcFormSaver::RestoreProperties() {
    if (m_form.isNull()) return;
    QWidget& form = *m_form;
    namespace fp = FormProperties;
    // Every key comes from one pass over the file.
    m_readKeys = ReadProfileSection(m_iniFile->FileName(), SectionName());

    if (HasOption(fsoCaption)) {
        const std::string caption = ReadString("Caption", "");
        if (!caption.empty()) fp::SetCaption(form, caption);
    }
    if (HasOption(fsoColor)) fp::SetColor(form, ReadInteger("Color", fp::Color(form)));
    if (HasOption(fsoCtl3D)) fp::SetCtl3D(form, ReadBool("Ctl3D", fp::Ctl3D(form)));
    if (HasOption(fsoCursor)) fp::SetCursor(form, ReadInteger("Cursor", fp::Cursor(form)));
    if (HasOption(fsoFont)) {
        fp::SetFontName(form, ReadString("Font.Name", fp::FontName(form)));
        fp::SetFontSize(form, ReadInteger("Font.Size", fp::FontSize(form)));
        fp::SetFontColor(form, ReadInteger("Font.Color", fp::FontColor(form)));
        // A stored style only ever adds to the designed one.
        QFont font = form.font();
        if (ReadBool("Font.Style.Bold", font.bold())) font.setBold(true);
        if (ReadBool("Font.Style.Italic", font.italic())) font.setItalic(true);
        if (ReadBool("Font.Style.Underline", font.underline())) font.setUnderline(true);
        if (ReadBool("Font.Style.Strikeout", font.strikeOut())) font.setStrikeOut(true);
        form.setFont(font);
    }

    // Position is the frame's top left corner, size the client area's, as Qt's move and resize
    // take them; implausible values keep the current ones.
    QRect bounds(0, 0, form.width(), form.height());
    auto readCoordinate = [this](const char* key, int current, bool (*plausible)(int)) {
        const int value = ReadInteger(key, current);
        return plausible(value) ? value : current;
    };
    if (HasOption(fsoLeft)) bounds.moveLeft(readCoordinate("Left", form.x(), PlausiblePosition));
    if (HasOption(fsoTop)) bounds.moveTop(readCoordinate("Top", form.y(), PlausiblePosition));
    if (HasOption(fsoWidth)) bounds.setWidth(readCoordinate("Width", form.width(), PlausibleSize));
    if (HasOption(fsoHeight)) {
        bounds.setHeight(readCoordinate("Height", form.height(), PlausibleSize));
    }

    if (HasOption(fsoHelpContext)) {
        fp::SetHelpContext(form, ReadInteger("HelpContext", fp::HelpContext(form)));
    }
    if (HasOption(fsoHint)) fp::SetHint(form, ReadString("Hint", fp::Hint(form)));
    if (HasOption(fsoShowHint)) fp::SetShowHint(form, ReadBool("ShowHint", fp::ShowHint(form)));
    if (HasOption(fsoTag)) fp::SetTag(form, ReadInteger("Tag", fp::Tag(form)));
    if (HasOption(fsoVisible)) form.setVisible(ReadBool("Visible", form.isVisible()));
    TWindowState state = fp::WindowState(form);
    if (HasOption(fsoWindowState)) {
        const int stored = ReadInteger("WindowState", state);
        if (stored >= wsNormal && stored <= wsMaximized) state = static_cast<TWindowState>(stored);
    }

    // The bounds are the window's normal ones also when it reopens maximised or minimised: set
    // before the state, they are where the window returns to when the user restores it.
    if (fp::WindowState(form) != wsNormal && state == wsNormal) {
        fp::SetWindowState(form, wsNormal);
    }
    if (fp::WindowState(form) == wsNormal) {
        const QRect fitted = BringOntoScreen(bounds, AvailableScreenAreas(), ExpectedFrame(form));
        // Until the window is framed its frame is only estimated; once the window manager has
        // framed it, a window that had to be brought back is fitted again with the real one.
        if (fitted != bounds && !form.isVisible()) WatchFraming();
        form.move(fitted.topLeft());
        form.resize(fitted.size());
    }
    if (state != fp::WindowState(form)) fp::SetWindowState(form, state);
    m_readKeys.clear();
}

QMargins TabcFormSaver::ExpectedFrame(const QWidget& form) const {
    const QMargins known = WindowFrameMargins(form);
    if (!known.isNull()) return known;
    // A title bar as the style draws one and a thin border: most window managers' frames are
    // no larger, and a larger one is corrected once the window is framed.
    const int border = 4;
    const int title = form.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &form);
    return {border, title + border, border, border};
}

void TabcFormSaver::WatchFraming() {
    if (m_form.isNull() || m_watchingFraming) return;
    m_watchingFraming = true;
    m_form->installEventFilter(this);
}

bool TabcFormSaver::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_form.data() || !m_watchingFraming) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::Move && type != QEvent::Resize && type != QEvent::Show) return false;
    QWidget& form = *m_form;
    const QMargins frame = WindowFrameMargins(form);
    if (!form.isVisible() || frame.isNull()) return false;
    m_watchingFraming = false;
    form.removeEventFilter(this);
    if (FormProperties::WindowState(form) != wsNormal) return false;
    const QRect bounds(form.pos(), form.size());
    const QList<QRect> screens = AvailableScreenAreas();
    const QRect fitted = FitOnScreen(bounds, ScreenHoldingMost(bounds, screens, frame), frame);
    if (screens.isEmpty() || fitted == bounds) return false;
    form.move(fitted.topLeft());
    form.resize(fitted.size());
    return false;
}

QRect TabcFormSaver::NormalBounds(const QWidget& form) {
    const QRect current(form.pos(), form.size());
    if (FormProperties::WindowState(form) == wsNormal) return current;
    // normalGeometry is the client's rectangle; the frame keeps its offset from it.
    const QRect normal = form.normalGeometry();
    if (!normal.isValid()) return current;
    return QRect(normal.topLeft() - (form.geometry().topLeft() - form.pos()), normal.size());
}

void TabcFormSaver::Save() {
    if (m_iniFile == nullptr) OpenIniFile();
    WriteProperties(false);
}

void TabcFormSaver::WriteProperties(bool windowClosing) {
    if (m_form.isNull()) return;
    const QWidget& form = *m_form;
    namespace fp = FormProperties;
    m_writeKeys.clear();

    if (HasOption(fsoCaption)) WriteString("Caption", fp::Caption(form));
    if (HasOption(fsoColor)) WriteInteger("Color", fp::Color(form));
    if (HasOption(fsoCtl3D)) WriteBool("Ctl3D", fp::Ctl3D(form));
    if (HasOption(fsoCursor)) WriteInteger("Cursor", fp::Cursor(form));
    if (HasOption(fsoFont)) {
        const QFont font = form.font();
        WriteString("Font.Name", fp::FontName(form));
        WriteInteger("Font.Size", fp::FontSize(form));
        WriteInteger("Font.Color", fp::FontColor(form));
        WriteBool("Font.Style.Bold", font.bold());
        WriteBool("Font.Style.Italic", font.italic());
        WriteBool("Font.Style.Underline", font.underline());
        WriteBool("Font.Style.Strikeout", font.strikeOut());
    }
    // A maximised or minimised window stores the bounds it returns to when restored.
    const QRect bounds = NormalBounds(form);
    if (HasOption(fsoLeft)) WriteInteger("Left", bounds.x());
    if (HasOption(fsoTop)) WriteInteger("Top", bounds.y());
    if (HasOption(fsoWidth)) WriteInteger("Width", bounds.width());
    if (HasOption(fsoHeight)) WriteInteger("Height", bounds.height());
    if (HasOption(fsoHelpContext)) WriteInteger("HelpContext", fp::HelpContext(form));
    if (HasOption(fsoHint)) WriteString("Hint", fp::Hint(form));
    if (HasOption(fsoShowHint)) WriteBool("ShowHint", fp::ShowHint(form));
    if (HasOption(fsoTag)) WriteInteger("Tag", fp::Tag(form));
    // A closing window would otherwise store itself as hidden.
    if (HasOption(fsoVisible) && !windowClosing) WriteBool("Visible", form.isVisible());
    if (HasOption(fsoWindowState)) WriteInteger("WindowState", fp::WindowState(form));
    // Every key goes to the file in one write.
    const std::vector<std::pair<std::string, std::string>> keys = std::move(m_writeKeys);
    m_writeKeys.clear();
    const std::string section = SectionName();
    std::vector<TProfileChange> changes;
    for (const auto& [key, value] : keys) changes.push_back({section, key, value});
    WriteProfileChanges(m_iniFile->FileName(), changes);
    if (OnSave) OnSave(this);
}

std::string TabcFormSaver::ReadString(const char* key, const std::string& defaultValue) const {
    return ProfileSectionValue(m_readKeys, key, defaultValue);
}

int TabcFormSaver::ReadInteger(const char* key, int defaultValue) const {
    std::int32_t value = 0;
    return TryStrToInt(ReadString(key, ""), value) ? value : defaultValue;
}

bool TabcFormSaver::ReadBool(const char* key, bool defaultValue) const {
    return ReadInteger(key, defaultValue ? 1 : 0) != 0;
}

void TabcFormSaver::WriteString(const char* key, const std::string& value) {
    m_writeKeys.emplace_back(key, value);
}

void TabcFormSaver::WriteInteger(const char* key, int value) {
    WriteString(key, IntToStr(value));
}

void TabcFormSaver::WriteBool(const char* key, bool value) {
    WriteString(key, value ? "1" : "0");
}
