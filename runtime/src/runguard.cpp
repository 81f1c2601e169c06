// Runs that yield: one per form at a time, and a close that waits for it.
#include "rt/runguard.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "rt/error.h"
#include "rt/form.h"

#include "forms_internal.h"

namespace rt {

namespace {

std::vector<RunGuard*>& Runs() {
    static std::vector<RunGuard*> runs;
    return runs;
}

} // namespace

RunGuard::RunGuard(Form& form) : form_(form) {
    started_ = !Running(form);
    if (started_) Runs().push_back(this);
}

RunGuard::RunGuard(Form& form, bool& stopRequested) : RunGuard(form) {
    if (started_) stop_ = &stopRequested;
}

RunGuard::~RunGuard() {
    if (!started_) return;
    auto& runs = Runs();
    runs.erase(std::remove(runs.begin(), runs.end(), this), runs.end());
    if (!Closing() || !form_.Loaded()) return;
    // The close the user asked for, now that nothing of the run is left: from
    // the title bar (mode 0) as the window's own close, otherwise as Unload.
    Form& form = form_;
    const int mode = closeMode_;
    Dispatch([&] {
        if (mode == 0)
            SendMessageW(form.hWnd(), WM_CLOSE, 0, 0);
        else
            form.Unload();
    });
}

void RunGuard::RequestStop() {
    if (stop_)
        *stop_ = true;
    else
        ownStop_ = true;
}

bool RunGuard::Running(const Form& form) {
    const auto& runs = Runs();
    return std::any_of(runs.begin(), runs.end(), [&](const RunGuard* r) { return &r->form_ == &form; });
}

bool detail::DeferUnloadForRun(Form& form, int unloadMode) {
    for (RunGuard* run : Runs()) {
        if (&run->form_ != &form) continue;
        if (!run->Closing() || unloadMode == 0) run->closeMode_ = unloadMode;
        run->RequestStop();
        // A box the run shows over the form would hold the close until the
        // user answered it: it goes now, unanswered.
        if (form.hWnd()) detail::EndMessageBoxesOver(form.hWnd());
        return true;
    }
    return false;
}

} // namespace rt
