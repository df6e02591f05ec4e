#pragma once
// The content pages' group: widgets built by content_pages_build.cpp, shown and answered
// by content_pages.cpp.
#include <memory>
#include <string_view>

#include "editor/wizard/content_pages.h"
#include "platform/sound.h"

namespace tessaro {

class SystemMixerHost;

class ContentPages final : public WizardPageGroup {
public:
    ContentPages(ContentServices services, std::unique_ptr<SystemMixerHost> ownMixer);
    ~ContentPages() override;

    std::vector<int> Pages() const override;
    void Build(int page, QWidget* panel, WizardForm& form) override;
    void Shown(int page, bool firstShowing, WizardForm& form) override;

private:
    // Widgets of one page, in content_pages_build.cpp.
    void BuildChoicePage(int page, QWidget* panel, WizardForm& form);
    void BuildFieldPage(int page, QWidget* panel, WizardForm& form);
    void Connect(int page, WizardForm& form);

    // Loaders, on a page's first showing.
    void Load(int page, WizardForm& form);

    // Handlers.
    void InsertSymbol(int which, WizardForm& form);
    void InsertKeystroke(WizardForm& form);
    void CheckAndSet(int which, const std::string& text, WizardForm& form);
    void BrowseFile(std::string_view target, std::string_view title, std::string_view filter,
                    WizardForm& form);
    void BrowseFolder(std::string_view target, WizardForm& form);
    void BrowseNetworkDrive(WizardForm& form);
    void RetrievePhoneEntry(WizardForm& form);
    void PlayWave(WizardForm& form);
    void ShowAudioDevice();

    ContentServices services_;
    std::unique_ptr<SystemMixerHost> ownMixer_;
    win::SoundService sound_;
};

}  // namespace tessaro
