#pragma once
// LinkHost for tests: Sleep advances the virtual clock, message boxes go to a
// ScriptedDialogs, and everything the window would show (progress, status texts,
// control switching, panel paints) is recorded in order.
//
// Events a port posts (SetPoster(host.Poster())) run when the exchange lets the window
// process its messages, as in the program.
#include "virtual_clock.h"
#include "event_poster.h"
#include "link_host.h"
#include "scripted_dialogs.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class LinkTestHost : public LinkHost {
public:
    explicit LinkTestHost(VirtualClock& clock) : clock_(clock) {}

    ScriptedDialogs dialogs;
    // Runs after each Sleep has advanced the clock (to act at a moment of an exchange).
    std::function<void(int ms)> onSleep;
    // Runs at the start of each Sleep, before the clock moves.
    std::function<void(int ms)> beforeSleep;

    // ---- record ----
    const std::vector<int>& Progress() const { return progress_; }
    const std::vector<std::string>& Statuses() const { return statuses_; }
    // Virtual time at which each status was shown.
    const std::vector<int64_t>& StatusTimesUs() const { return statusTimesUs_; }
    // Everything shown, in order: "progress:0", "status:Text", "link:on", "editor:off",
    // "reset:on", "mode:off".
    const std::vector<std::string>& Record() const { return record_; }
    std::optional<bool> LinkControls() const { return link_; }
    std::optional<bool> EditorControls() const { return editor_; }
    std::optional<bool> ResetPanel() const { return resetPanel_; }
    std::optional<bool> ModePanel() const { return modePanel_; }
    int LastProgress() const { return progress_.empty() ? -1 : progress_.back(); }
    std::string LastStatus() const { return statuses_.empty() ? std::string() : statuses_.back(); }
    int ProcessMessagesCalls() const { return processCalls_; }
    int64_t SleptMs() const { return sleptMs_; }
    void ClearRecord();

    // A poster that queues port events until the next ProcessMessages; a port's own
    // threads may post through it.
    EventPoster Poster();
    size_t PostedWaiting() const;

    // ---- LinkHost ----
    Dialogs& Messages() override { return dialogs; }
    void Sleep(int ms) override;
    void ProcessMessages() override;
    void SetProgress(int percent) override;
    void SetStatus(const std::string& text) override;
    void EnableLinkControls(bool on) override;
    void EnableEditorControls(bool on) override;
    void PaintResetPanel(bool on) override;
    void PaintModePanel(bool on) override;

private:
    VirtualClock& clock_;
    std::vector<int> progress_;
    std::vector<std::string> statuses_;
    std::vector<int64_t> statusTimesUs_;
    std::vector<std::string> record_;
    std::optional<bool> link_, editor_, resetPanel_, modePanel_;
    int processCalls_ = 0;
    int64_t sleptMs_ = 0;
    mutable std::mutex postedMutex_;
    std::deque<std::function<void()>> posted_;
};
