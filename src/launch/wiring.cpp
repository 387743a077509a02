// Connects the game-launching controls and menu items to their handlers.
#include "app/main_window.h"

namespace vexal {

void TfrmVexal::wireLaunchEvents() {
    auto on = [this](std::function<void()>& event, void (TfrmVexal::*handler)()) {
        event = [this, handler] { (this->*handler)(); };
    };
    on(edtParam.onChange, &TfrmVexal::edtParamChange);
    on(edtParam.onEnter, &TfrmVexal::edtParamEnter);
    on(edtParam.onExit, &TfrmVexal::edtParamExit);
    edtParam.onKeyPress = [this](char& key) { edtParamKeyPress(key); };
    on(btnAdd.onClick, &TfrmVexal::btnAddClick);
    on(btnDelParam.onClick, &TfrmVexal::btnDelParamClick);
    on(btnDelParamList.onClick, &TfrmVexal::btnDelParamListClick);
    on(lboxParam.onClick, &TfrmVexal::lboxParamClick);
    on(lboxParam.onDblClick, &TfrmVexal::lboxParamDblClick);
    on(lboxParam.onEnter, &TfrmVexal::lboxParamEnter);
    on(lboxParam.onExit, &TfrmVexal::edtParamChange);
    on(mnuAdd->onClick, &TfrmVexal::mnuAddClick);
    on(mnuDelete->onClick, &TfrmVexal::mnuDeleteClick);
    on(mnuDelLboxItems->onClick, &TfrmVexal::mnuDelLboxItemsClick);
    on(mnuCopyEntry->onClick, &TfrmVexal::mnuCopyEntryClick);
    on(mnuCopy->onClick, &TfrmVexal::mnuCopyClick);
    on(mnuPaste->onClick, &TfrmVexal::mnuPasteClick);

    on(cbxMap.onChange, &TfrmVexal::cbxMapChange);
    cbxMap.onKeyDown = [this](int& key) { cbxMapKeyDown(key); };
    cbxMap.onKeyPress = [this](char& key) { cbxMapKeyPress(key); };
    on(bitbtnSelMap.onClick, &TfrmVexal::bitbtnSelMapClick);
    on(bitbtnSelMap.onExit, &TfrmVexal::cbxMapChange);
    on(mnuSelMap->onClick, &TfrmVexal::mnuSelMapClick);
    on(btnDelMap.onClick, &TfrmVexal::btnDelMapClick);
    on(btnDelMap.onExit, &TfrmVexal::cbxMapChange);
    on(btnDelMapList.onClick, &TfrmVexal::btnDelMapListClick);
    on(bitbtnDemo.onExit, &TfrmVexal::cbxMapChange);
    on(BitBtnInfo.onClick, &TfrmVexal::BitBtnInfoClick);
    on(mnuMapInfo->onClick, &TfrmVexal::mnuMapInfoClick);
    on(imgAbout.onClick, &TfrmVexal::mnuMapInfoClick);

    on(bitbtnRun.onClick, &TfrmVexal::bitbtnRunClick);
    on(bitbtnRun.onExit, &TfrmVexal::bitbtnRunExit);
    on(mnuRunET->onClick, &TfrmVexal::mnuRunETClick);
    on(popRunET->onClick, &TfrmVexal::popRunETClick);
    on(cbDelProfile.onClick, &TfrmVexal::cbDelProfileClick);
    cbDelProfile.onMouseDown = [this](ui::MouseButton button) { cbDelProfileMouseDown(button); };
    on(mnuDelProfile->onClick, &TfrmVexal::mnuDelProfileClick);
}

}  // namespace vexal
