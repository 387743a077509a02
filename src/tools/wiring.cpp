// Connects the companion launchers, pickers, nickname and help commands to their handlers.
#include "app/main_window.h"

namespace vexal {

void TfrmVexal::wireToolsEvents() {
    auto on = [this](std::function<void()>& event, void (TfrmVexal::*handler)()) {
        event = [this, handler] { (this->*handler)(); };
    };
    on(bitbtnASE.onClick, &TfrmVexal::bitbtnASEClick);
    on(bitbtnASE.onExit, &TfrmVexal::bitbtnASEExit);
    on(mnuASE->onClick, &TfrmVexal::mnuASEClick);
    on(popRunASE->onClick, &TfrmVexal::popRunASEClick);
    on(btnPB.onClick, &TfrmVexal::btnPBClick);
    on(mnuPB->onClick, &TfrmVexal::mnuPBClick);
    on(popPB->onClick, &TfrmVexal::popPBClick);

    on(bitbtnDemo.onClick, &TfrmVexal::bitbtnDemoClick);
    on(mnuDemo->onClick, &TfrmVexal::mnuDemoClick);
    on(bitbtnPicture.onClick, &TfrmVexal::bitbtnPictureClick);
    on(mnuScrShot->onClick, &TfrmVexal::mnuScrShotClick);
    on(bitbtnEdit.onClick, &TfrmVexal::bitbtnEditClick);
    on(mnuEdit->onClick, &TfrmVexal::mnuEditClick);
    on(popEditCfg->onClick, &TfrmVexal::popEditCfgClick);
    on(sbtnEditor.onClick, &TfrmVexal::sbtnEditorClick);
    on(mnuSelEditor->onClick, &TfrmVexal::mnuSelEditorClick);
    on(sbtnNotepad.onClick, &TfrmVexal::sbtnNotepadClick);
    on(mnuNotepad->onClick, &TfrmVexal::mnuNotepadClick);

    on(mnuNick->onClick, &TfrmVexal::mnuNickClick);
    on(mnuETReadme->onClick, &TfrmVexal::mnuETReadmeClick);
    on(mnuDownload->onClick, &TfrmVexal::mnuDownloadClick);
    on(mnuAbout->onClick, &TfrmVexal::mnuAboutClick);
    on(popAbout->onClick, &TfrmVexal::popAboutClick);
}

}  // namespace vexal
