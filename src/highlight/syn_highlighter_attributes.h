// One highlighter attribute: a named foreground, background and font style, the unit of
// colouring shared by the editor, the highlighters and the colour scheme.
#pragma once

#include <functional>
#include <string>

#include "highlight/highlighter_colors.h"
#include "highlight/syn_persistent.h"

class TBetterRegistry;

class TSynHighlighterAttributes : public TSynPersistent {
  public:
    // Called with the attribute after any effective change.
    using TChangeHandler = std::function<void(TSynHighlighterAttributes* sender)>;

    // Both colours clNone, no style, no change handler.
    explicit TSynHighlighterAttributes(std::string name);

    std::string ClassName() const override { return "TSynHighlighterAttributes"; }

    const std::string& Name() const { return m_name; }

    TColor Background() const { return m_background; }
    TColor Foreground() const { return m_foreground; }
    TFontStyles Style() const { return m_style; }
    // Writing an equal value does nothing; a different one is stored and reported by Changed.
    void SetBackground(TColor value);
    void SetForeground(TColor value);
    void SetStyle(TFontStyles value);

    // Copies name, colours and style from another attribute; reports one change when any of
    // the three values changed.
    void Assign(const TSynPersistent* source) override;

    // A property is persisted only when it differs from the default snapshot.
    bool BackgroundStored() const { return m_background != m_backgroundDefault; }
    bool ForegroundStored() const { return m_foreground != m_foregroundDefault; }
    bool StyleStored() const { return m_style != m_styleDefault; }

    // Takes the current values as the defaults against which persistence is decided.
    void InternalSaveDefaultValues();
    void SetOnChange(TChangeHandler handler) { m_onChange = std::move(handler); }

    // Reads "Background", "Foreground" and "Style" from the current key, each only when present.
    bool LoadFromRegistry(TBetterRegistry& reg);
    // Writes "Background", "Foreground" and "Style" into the current key.
    bool SaveToRegistry(TBetterRegistry& reg);

  protected:
    // Calls the change handler, when one is set.
    virtual void Changed();

  private:
    TColor m_background = clNone;
    TColor m_backgroundDefault = clNone;
    TColor m_foreground = clNone;
    TColor m_foregroundDefault = clNone;
    std::string m_name;
    TFontStyles m_style = 0;
    TFontStyles m_styleDefault = 0;
    TChangeHandler m_onChange;
};
