// Form1's side of start-up: the skin, the pointer file, the home-page draw, the icon, the caption and the title.
#pragma once

#include "app/apply_skin.h"
#include "app/form_parts.h"
#include "app/start_up.h"

namespace app {

class Form1StartUp final : public StartUpHost {
public:
    Form1StartUp(FormParts& parts, SkinHost& skin) noexcept : parts_(parts), skin_(skin) {}

    void ApplySkin() override;
    std::wstring ExecutableFolder() override;
    bool FileExists(const std::wstring& path) override;
    void LoadPointerImage(const std::wstring& path) override;
    void HomePageDraw() override;
    void SetTrayTip(std::string_view tip) override;
    void SetWindowIcon() override;
    void SetInTray(bool inTray) override;
    void SetCaption(std::string_view caption) override;
    void SetAppTitle() override;

private:
    FormParts& parts_;
    SkinHost& skin_;
};

}  // namespace app
