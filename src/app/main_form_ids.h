// Command and control identifiers of the main window.
#pragma once

namespace lentora::ids {

enum : int {
    // Actions
    actAddTask = 1001,
    actEditTask,
    actDeleteTask,
    actStart,
    actStop,
    actPause,
    actResume,
    actWait,
    actCloseApp,
    actDeleteAllTask,
    actSetActiveAll,
    actDeactiveAll,
    actApplyLng,
    actImport,

    // Controls
    pcMainPage = 2001,
    StatusBar,
    lvListProg,
    bbtnStart,
    lbLog,
    chbWindowsStart,
    chkUserProfile,
    chbSetWaitTimer,
    dseWaitSec,        // + 1: its spin button
    dseWaitSecSpin,
    dseTimeExit,
    dseTimeExitSpin,
    chkShowBalloon,
    chkCheckforUpdate,
    dsePollingInterval,
    dsePollingIntervalSpin,
    ledLastPool,
    btnCreateLink,
    btnCheckUpdates,
    cbLanguageSelect,
    chbUseSkin,
    sSkinBox,
    chbAero,
    wlblLoadSkins,
    btnSaveOptions,
    sbDownSB,
    sbUpSB,
    pcAbout,
    wlblForum,
    wlAC,
    lblLF,
    sWebLabel1,
    sbtbtnDonate,
    btnAccount,

    // Timers
    timerStart = 3001,
    timerWait,
    tmrBallonHide,
};

}  // namespace lentora::ids
