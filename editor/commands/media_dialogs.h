#pragma once
// "Play a Video Clip", "Audio CD Controls" and "Speaker Controls".
#include <array>
#include <memory>

#include "editor/commands/chooser.h"
#include "editor/commands/command_dialog.h"
#include "editor/model/commands/media_forms.h"
#include "platform/mixer_controls.h"

class QGroupBox;
class QLabel;

namespace tessaro {

class TDoAVI : public CommandDialog {
    Q_OBJECT
public:
    TDoAVI(QWidget* owner, PathChooser& chooser);
    void Preset(const AviForm& form);

    QLineEdit* ProgPath = nullptr;
    QPushButton* BrowseButton = nullptr;
    FormResult<AviFields> Result;

    void BrowseButtonClick();

protected:
    void SetDefaults() override;
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    PathChooser& chooser_;
};

class TDoCDRom : public CommandDialog {
    Q_OBJECT
public:
    explicit TDoCDRom(QWidget* owner);
    void Preset(const CDForm& form);

    QGroupBox* NumberPanel = nullptr;
    QLabel* TheLabel = nullptr;
    QLineEdit* Track = nullptr;
    FormResult<CDFields> Result;

protected:
    void SetDefaults() override;
    void FocusFirst() override {}
    void EnableDisable() override;
    void OkButtonClick() override;
};

// The explorer's one mixer, opened on first use (TMainWin.OpenMixer).
class MixerHost {
public:
    virtual ~MixerHost() = default;
    virtual MixerControls& OpenMixer() = 0;
};

// The default sound card's mixer, opened on first use; a control counts as there when the
// player would find it on that mixer. Without a mixer nothing is offered.
class SystemMixerHost final : public MixerHost, private MixerControls {
public:
    // Null: the machine's sound system.
    explicit SystemMixerHost(std::unique_ptr<win::AudioMixerOpener> opener = nullptr);
    MixerControls& OpenMixer() override;

private:
    bool Available(int index) override;
    std::unique_ptr<win::AudioMixerOpener> opener_;
    bool opened_ = false;
    std::array<bool, win::kMixerControls> present_{};
};

class TDoVolume : public CommandDialog {
    Q_OBJECT
public:
    TDoVolume(QWidget* owner, MixerHost& mixer);
    void Preset(std::int32_t kind);

    QPushButton* Button1 = nullptr;
    FormResult<VolumeFields> Result;

    // Shows which of the speaker's and synthesizer's controls the audio device has.
    void Button1Click();

protected:
    void SetDefaults() override {}
    void FocusFirst() override;
    void EnableDisable() override {}
    void OkButtonClick() override;

private:
    MixerHost& mixer_;
};

}  // namespace tessaro
