#include "platform/x11qt/canberra_button_sound.h"

#include <canberra.h>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace tw {
namespace {

// Filled in by libcanberra's thread when a sound has ended.
struct Finished {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  int result = CA_SUCCESS;
};

// userdata owns a reference to the shared state, so the callback may run after
// the caller stopped waiting.
void OnFinished(ca_context*, uint32_t, int error, void* userdata) {
  std::unique_ptr<std::shared_ptr<Finished>> owner(static_cast<std::shared_ptr<Finished>*>(userdata));
  Finished& finished = **owner;
  std::lock_guard<std::mutex> lock(finished.mutex);
  finished.finished = true;
  finished.result = error;
  finished.done.notify_all();
}

constexpr uint32_t kCustomSoundId = 1;

}  // namespace

CanberraButtonSound::CanberraButtonSound() {
  if (ca_context_create(&context_) != CA_SUCCESS) {
    context_ = nullptr;
    return;
  }
  ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Tarnwick", nullptr);
}

CanberraButtonSound::~CanberraButtonSound() {
  if (context_) ca_context_destroy(context_);
}

void CanberraButtonSound::PlayButtonSound(ButtonSound sound, const std::string& custom_wave) {
  last_played_ = false;
  if (!context_ || sound == ButtonSound::kNone) return;
  if (sound != ButtonSound::kCustom) {
    std::optional<std::string_view> event = SoundThemeEvent(sound);
    if (!event) return;
    std::string id(*event);
    last_played_ = ca_context_play(context_, 0, CA_PROP_EVENT_ID, id.c_str(), nullptr) == CA_SUCCESS;
    return;
  }
  if (custom_wave.empty()) return;
  auto finished = std::make_shared<Finished>();
  ca_proplist* properties = nullptr;
  if (ca_proplist_create(&properties) != CA_SUCCESS) return;
  ca_proplist_sets(properties, CA_PROP_MEDIA_FILENAME, custom_wave.c_str());
  auto* reference = new std::shared_ptr<Finished>(finished);
  int started = ca_context_play_full(context_, kCustomSoundId, properties, OnFinished, reference);
  ca_proplist_destroy(properties);
  if (started != CA_SUCCESS) {
    delete reference;  // the callback is not called for a sound that did not start
    return;
  }
  std::unique_lock<std::mutex> lock(finished->mutex);
  if (!finished->done.wait_for(lock, maximum_wait_, [&] { return finished->finished; })) {
    lock.unlock();
    ca_context_cancel(context_, kCustomSoundId);  // too long: stop it
    return;
  }
  last_played_ = finished->result == CA_SUCCESS;
}

}  // namespace tw
