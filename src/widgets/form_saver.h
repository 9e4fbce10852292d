// The form property saver: a non-visual component on a window that restores chosen properties
// of that window (size, position, window state, colour, font, ...) from an INI file when the
// window has loaded, and writes them back when the component is destroyed with the window.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "platform/profile.h"

// Raised when a component is created without the owner it needs.
class EComponentError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

enum TabcFormSaverOption {
    fsoCaption,
    fsoColor,
    fsoCtl3D,
    fsoCursor,
    fsoFont,
    fsoLeft,
    fsoTop,
    fsoWidth,
    fsoHeight,
    fsoHelpContext,
    fsoHint,
    fsoShowHint,
    fsoTag,
    fsoVisible,
    fsoWindowState
};

// A set of options, one bit per option.
using TabcFormSaverOptions = unsigned;

constexpr TabcFormSaverOptions FormSaverOptions(std::initializer_list<TabcFormSaverOption> list) {
    TabcFormSaverOptions set = 0;
    for (TabcFormSaverOption option : list) set |= 1u << option;
    return set;
}

inline constexpr TabcFormSaverOptions kDefaultFormSaverOptions =
    FormSaverOptions({fsoColor, fsoCtl3D, fsoFont, fsoLeft, fsoTop, fsoWidth, fsoHeight,
                      fsoShowHint, fsoWindowState});

// The executable's path with its extension replaced by ".INI" (appended when it has none).
std::string ExecutableIniFileName();

class TabcFormSaver : public QObject {
    Q_OBJECT
  public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    // Serves the owner when it is a window, else the owner's owner when that is one; otherwise
    // throws EComponentError("This component must be owned by a TForm").
    explicit TabcFormSaver(QObject* owner);
    // With AutoSave on, saves the window's properties (Visible left out, as the window is
    // going). A failure there is silent: it must never hold up the end of the program.
    ~TabcFormSaver() override;

    bool AutoRestore() const { return m_autoRestore; }
    void SetAutoRestore(bool value) { m_autoRestore = value; }
    bool AutoSave() const { return m_autoSave; }
    void SetAutoSave(bool value) { m_autoSave = value; }
    // Empty means ExecutableIniFileName(). Setting a different name reopens the file object.
    const std::string& IniFileName() const { return m_iniFileName; }
    void SetIniFileName(const std::string& value);
    TabcFormSaverOptions Options() const { return m_options; }
    void SetOptions(TabcFormSaverOptions value) { m_options = value; }
    bool HasOption(TabcFormSaverOption option) const { return (m_options >> option) & 1u; }

    TNotifyEvent OnRestore;
    TNotifyEvent OnSave;

    QWidget* Form() const { return m_form; }
    // The window's class name, ".", the component's name and " Form Properties".
    std::string SectionName() const;
    // The file in use once loaded (empty before).
    std::string FileName() const { return m_iniFile ? m_iniFile->FileName() : std::string(); }

    // Called when the window has finished loading: opens the INI file object and, with
    // AutoRestore on, restores.
    void Loaded();
    // Reads the set options and applies them to the window. A failure stops the restore and is
    // shown as "Error restoring form property <message>"; OnRestore is raised either way.
    void Restore();
    // Writes the set options with the window's current values; a write failure raises
    // EIniFileException.
    void Save();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The frame the window has or, before it was framed, one as large as most window managers'.
    QMargins ExpectedFrame(const QWidget& form) const;
    // Fits the window onto its screen again once the window manager has framed it.
    void WatchFraming();
    // The window's frame position and client size in its normal state.
    static QRect NormalBounds(const QWidget& form);
    void OpenIniFile();
    void RestoreProperties();
    void WriteProperties(bool windowClosing);
    std::string ReadString(const char* key, const std::string& defaultValue) const;
    int ReadInteger(const char* key, int defaultValue) const;
    bool ReadBool(const char* key, bool defaultValue) const;
    void WriteString(const char* key, const std::string& value);
    void WriteInteger(const char* key, int value);
    void WriteBool(const char* key, bool value);

    QPointer<QWidget> m_form;
    // The window's class name as of loading; a window being destroyed no longer reports it.
    std::string m_formClassName;
    bool m_autoRestore = true;
    bool m_autoSave = true;
    std::string m_iniFileName;
    TabcFormSaverOptions m_options = kDefaultFormSaverOptions;
    std::unique_ptr<TIniFile> m_iniFile;
    // While the properties are restored: the section as read in one pass. While they are
    // saved: the keys to write, in one write of the file at the end.
    std::vector<std::pair<std::string, std::string>> m_readKeys;
    std::vector<std::pair<std::string, std::string>> m_writeKeys;
    bool m_watchingFraming = false;
};
