#pragma once

#include "game/model_cache.h"
#include "game/particles.h"
#include "game/popup.h"
#include "media/sound.h"
#include "media/text.h"

namespace floebound {

// What the game loads from its folder and shares between the level, its
// popups and the intro: made in main once the audio device is open, released
// as main ends. Releasing needs neither the window nor the audio device.
struct GameAssets {
    SoundBank sounds;
    Fonts fonts;
    PopupPictures popup_pictures;
    ModelCache models;
    ParticleSheet particle_sheet;
};

}  // namespace floebound
