#include "app/option_pages.h"

#include "settings/language.h"

namespace senvola::app {

OptionPages::OptionPages(ReplaySettings& settings, LanguageTable& language, const saverkit::Help& help,
                         HWND hiddenParent)
    : settings_(settings),
      table_(language),
      tabs_(std::make_unique<saverkit::TabPages>(hiddenParent, 0, 0, 401, 377)),
      replayTab_(tabs_->AddPage("Replay options")),
      graphicsTab_(tabs_->AddPage("Graphics")),
      languageTab_(tabs_->AddPage("Language")),
      replay_(controls_, replayTab_, tabs_->Handle(), settings, language, dialogs_, help),
      graphics_(controls_, graphicsTab_, tabs_->Handle(), settings, dialogs_, help),
      language_(controls_, languageTab_) {}

OptionPages::~OptionPages() {
    // The windows first: a control going may still notify the page that handles it.
    tabs_.reset();
}

void OptionPages::ActivateFirstPage() { tabs_->SetActivePage(&replayTab_); }

void OptionPages::Fill(const IniFile& file) {
    // Every text falls back to the one built-in English table.
    language_.Fill(table_, file, settings_.Language);
    const std::string promotion = ConfigurationText(table_, file);
    replay_.SetPromotion(promotion);
    graphics_.SetPromotion(promotion);
    replay_.Fill(file);
    graphics_.Fill(table_, file);
    replayTab_.SetCaption(Translate(table_, file, "ReplayOptions"));
    graphicsTab_.SetCaption(Translate(table_, file, "Graphics"));
    languageTab_.SetCaption(Translate(table_, file, "Language"));
    dialogTexts_.caption = Translate(table_, file, "OptionsCaption");
    if (dialogTexts_.caption.find("%1") == std::string::npos) dialogTexts_.caption = DefaultText("OptionsCaption");
    dialogTexts_.ok = Translate(table_, file, "OK");
    dialogTexts_.cancel = Translate(table_, file, "Cancel");
}

saverkit::DialogTexts OptionPages::DialogTexts(std::string_view title) const {
    saverkit::DialogTexts texts = dialogTexts_;
    texts.caption = ReplaceFirst(texts.caption, "%1", title);
    return texts;
}

}  // namespace senvola::app
