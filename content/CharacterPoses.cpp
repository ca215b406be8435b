#include "content/CharacterPoses.h"

#include <algorithm>

#include "engine/kernel/Error.h"

namespace Content {

namespace {

// How a character's template draws a face: the eyes' rest places and the brows' outer
// ends, a little below the inner ends when content and well below them when sad.
struct Face {
    const char* source;
    double leftEye, rightEye, browContent, browSad;
};

const Face kGirl{"girl", 84, 116, 186, 194}, kOwner{"owner", 84, 116, 178, 186}, kMechanic{"mechanic", 84, 116, 192, 200},
    kWorker{"worker", 84, 116, 186, 194};

struct Look {
    const char* name;
    const Face* face;
    bool wave;
    double eyes;  // units the eyes turn, to the right when positive
    bool sad;
};

const Look kLooks[] = {
    {"owner_hello", &kOwner, true, 0, false},        {"owner_stand", &kOwner, false, 0, false},
    {"owner_look", &kOwner, false, -6, false},       {"mechanic_hello", &kMechanic, true, 0, false},
    {"mechanic_stand", &kMechanic, false, 0, false}, {"girl_hello", &kGirl, true, 0, false},
    {"girl_stand", &kGirl, false, 0, false},         {"girl_miss", &kGirl, false, 0, true},
    {"girl_look", &kGirl, false, -6, false},         {"worker_hello", &kWorker, true, 0, false},
    {"worker_stand", &kWorker, false, 0, false},     {"worker_miss", &kWorker, false, 0, true},
    {"worker_look", &kWorker, false, 6, false},
};

std::vector<CharacterPoses::Pose> MakePoses() {
    std::vector<CharacterPoses::Pose> poses;
    for (const Look& look : kLooks) {
        const Face& face = *look.face;
        poses.push_back({look.name,
                         "art/ui/characters/" + std::string(face.source) + ".svg",
                         {{"wave", look.wave ? 1 : 0},
                          {"rest", look.wave ? 0 : 1},
                          {"leftEye", face.leftEye + look.eyes},
                          {"rightEye", face.rightEye + look.eyes},
                          {"browOuter", look.sad ? face.browSad : face.browContent},
                          {"sad", look.sad ? 1 : 0},
                          {"smile", look.sad ? 0 : 1}}});
    }
    return poses;
}

}  // namespace

const std::vector<CharacterPoses::Pose>& CharacterPoses::All() {
    static const std::vector<Pose> poses = MakePoses();
    return poses;
}

const CharacterPoses::Pose& CharacterPoses::Named(const std::string& name) {
    const auto& poses = All();
    const auto found = std::find_if(poses.begin(), poses.end(), [&](const Pose& pose) { return pose.name == name; });
    if (found == poses.end()) throw Vantor::Error("no character pose \"" + name + "\"");
    return *found;
}

}  // namespace Content
