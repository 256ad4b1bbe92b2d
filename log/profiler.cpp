// The section profiler of the log system: named, nestable sections timed in
// seconds, printed as a table of their share of each measuring period.
#include "Veltrano_ILogSystem.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "log/log_environment.h"
#include "log/log_state.h"

namespace {

float NowSeconds() { return static_cast<float>(log_environment::Ticks()) / 1000.0f; }

// Names longer than the field are kept cut to it, and compared the same way.
void CopyName(char (&field)[kLogNameSize], const char* name) {
    const size_t length = strnlen(name, kLogNameSize - 1);
    std::memcpy(field, name, length);
    field[length] = '\0';
}

bool SameName(const char* stored, const char* name) { return std::strncmp(stored, name, kLogNameSize - 1) == 0; }

// Slots are filled from the front, so a scan ends at the first free slot.
// Returns the slot holding the name (found = true), else the first free one,
// else null when the table is full.
template <typename Slot>
Slot* FindOrFree(Slot* table, const char* name, bool& found) {
    for (int i = 0; i < kProfileSlots; ++i) {
        Slot& slot = table[i];
        if (!slot.valid) {
            found = false;
            return &slot;
        }
        if (SameName(slot.name, name)) {
            found = true;
            return &slot;
        }
    }
    found = false;
    return nullptr;
}

void PrepareTables(LogState& log) {
    log.samples = new ProfileSample[kProfileSlots]();
    log.history = new ProfileHistory[kProfileSlots]();
    log.profilerReady = true;
    log.profileStart = NowSeconds();
}

// The open section begun last encloses the one that just ended; on equal
// start times the later slot wins. Counts every open section as a parent.
ProfileSample* FindParent(LogState& log, uint32_t& parentCount) {
    ProfileSample* parent = nullptr;
    parentCount = 0;
    for (int i = 0; i < kProfileSlots && log.samples[i].valid; ++i) {
        ProfileSample& sample = log.samples[i];
        if (sample.openCount <= 0) continue;
        ++parentCount;
        if (parent == nullptr || sample.startTime >= parent->startTime) parent = &sample;
    }
    return parent;
}

// Weight of the newest value in the history: it grows with the time since
// start-up and reaches 1 after 1.25 seconds.
float HistoryWeight() { return std::min(0.8f * NowSeconds(), 1.0f); }

// Folds the period's percentage into the name's history. Returns the
// updated entry, or null when the history has no room for a new name.
const ProfileHistory* UpdateHistory(LogState& log, const char* name, float percent) {
    bool found = false;
    ProfileHistory* entry = FindOrFree(log.history, name, found);
    if (entry == nullptr) return nullptr;
    if (!found) {
        *entry = ProfileHistory{};
        entry->valid = true;
        CopyName(entry->name, name);
        entry->average = entry->minimum = entry->maximum = percent;
        return entry;
    }
    const float weight = HistoryWeight();
    const auto blend = [&](float old) { return weight * percent + (1.0f - weight) * old; };
    entry->average = blend(entry->average);
    entry->minimum = std::max(percent < entry->minimum ? percent : blend(entry->minimum), 0.0f);
    entry->maximum = percent > entry->maximum ? percent : blend(entry->maximum);
    return entry;
}

// Share of the period spent in the section itself, nested sections excluded.
// An empty period (shown twice within one tick) has nothing to share.
float SelfPercent(const ProfileSample& sample, float period) {
    if (period <= 0.0f) return 0.0f;
    return (sample.accumulator - sample.childrenTime) / period * 100.0f;
}

// Warns about unbalanced sections, then writes the section's table row.
void ShowSample(Veltrano_ILogSystem& log, LogState& state, const ProfileSample& sample, float period) {
    if (sample.openCount < 0)
        log.Msg(2, " . [ILogSystem::ProfileBegin] Warning: ProfileEnd called without a ProfileBegin.\n");
    else if (sample.openCount > 0)
        log.Msg(2, " . [ILogSystem::ProfileBegin] Warning: ProfileBegin called without a ProfileEnd.\n");

    float average = 0.0f, minimum = 0.0f, maximum = 0.0f;
    if (const ProfileHistory* entry = UpdateHistory(state, sample.name, SelfPercent(sample, period))) {
        average = entry->average;
        minimum = entry->minimum;
        maximum = entry->maximum;
    } else {
        log.Msg(2, " . [ILogSystem::Profile] Warning: maximum samples(%d) reached. \n", kProfileSlots);
    }

    char averageText[48], minimumText[48], maximumText[48], countText[16];
    std::snprintf(averageText, sizeof averageText, "%3.1f", average);
    std::snprintf(minimumText, sizeof minimumText, "%3.1f", minimum);
    std::snprintf(maximumText, sizeof maximumText, "%3.1f", maximum);
    std::snprintf(countText, sizeof countText, "%3d", static_cast<int>(sample.instances));
    const std::string indentedName = std::string(3 * sample.parentCount, ' ') + sample.name;
    log.Msg(0, "  %5s | %5s | %5s | %3s | %s\n", averageText, minimumText, maximumText, countText,
            indentedName.c_str());
}

}  // namespace

void Veltrano_ILogSystem::ProfileBegin(const char* name) {
    if (name == nullptr) return;
    LogState& log = *state;
    if (!log.profilerReady) PrepareTables(log);
    const float now = NowSeconds();

    bool found = false;
    ProfileSample* sample = FindOrFree(log.samples, name, found);
    if (sample == nullptr) {
        if (!log.maxWarned) {
            log.maxWarned = true;
            Msg(2, " . [ILogSystem::ProfileBegin] Warning: maximum samples(%d) reached. \n", kProfileSlots);
        }
        return;
    }
    if (!found) {
        *sample = ProfileSample{};
        sample->valid = true;
        CopyName(sample->name, name);
    }
    ++sample->openCount;
    ++sample->instances;
    sample->startTime = now;
}

void Veltrano_ILogSystem::ProfileEnd(const char* name) {
    LogState& log = *state;
    if (name == nullptr || !log.profilerReady) return;
    bool found = false;
    ProfileSample* sample = FindOrFree(log.samples, name, found);
    if (!found) return;

    const float elapsed = NowSeconds() - sample->startTime;
    --sample->openCount;
    uint32_t parentCount = 0;
    ProfileSample* parent = FindParent(log, parentCount);
    sample->parentCount = parentCount;
    if (parent != nullptr) parent->childrenTime += elapsed;
    sample->accumulator += elapsed;
}

void Veltrano_ILogSystem::ProfileShow() {
    LogState& log = *state;
    log.profileEnd = NowSeconds();
    if (!log.profilerReady) return;

    Msg(0, "\n . [ILogSystem::Profile] - Profile table:\n");
    Msg(0, "\n    Ave |   Min |   Max |   # | Profile Name\n");
    Msg(0, "  --------------------------------------------\n");

    const float period = log.profileEnd - log.profileStart;
    for (int i = 0; i < kProfileSlots && log.samples[i].valid; ++i)
        ShowSample(*this, log, log.samples[i], period);

    for (int i = 0; i < kProfileSlots; ++i) log.samples[i].valid = false;
    log.profileStart = NowSeconds();
    Msg(0, "\n");
}
