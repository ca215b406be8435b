#pragma once
// What a replayed day leaves behind: one record per customer who came, the day's
// figures with the profile after the day, a text of both and a digest of that text. Two
// runs that played the same day have the same text, float for float.

#include <cstdint>
#include <string>
#include <vector>

namespace Morvane {
class Finances;
class CustomerManager;
class Profile;
}  // namespace Morvane

namespace replay {

struct CustomerRecord {
    // The frame after which the customer stood in the room.
    unsigned arrivalFrame = 0;
    unsigned place = 0;
    std::string type;
    std::vector<std::string> order;
    // Set when the whole order was paid, with the figures of that moment.
    bool paid = false;
    float moodAtPayment = 0.0f;
    unsigned price = 0;
    unsigned tip = 0;
    // 0 (best) to 3 (left unserved); -1 until the customer has rated.
    int rating = -1;
};

// The profile's fields a day changes, with the day's result kept in it.
struct ProfileFigures {
    std::int32_t day = 0;
    std::int32_t money = 0;
    std::int32_t qualification = 0;
    float mood = 0.0f;
    std::uint32_t flags = 0;
    std::int32_t foodSales = 0;
    std::int32_t tips = 0;
    std::int32_t serviceRating = 0;
    std::int32_t customersServed = 0;
    std::int32_t customersCome = 0;

    static ProfileFigures Of(const Morvane::Profile& profile);
};

struct DayFigures {
    std::uint32_t income = 0;
    std::uint32_t tips = 0;
    unsigned come = 0;
    unsigned served = 0;
    float ratingSum = 0.0f;
    // The frame in which the day ended; 0 while it runs.
    unsigned endFrame = 0;
    ProfileFigures profile;

    static DayFigures Of(const Morvane::Finances& finances, const Morvane::CustomerManager& customers);
};

struct DayLog {
    std::vector<CustomerRecord> customers;
    DayFigures figures;

    // One line per customer, then the figures; floats in their shortest exact form.
    std::string ToText() const;
    // 64-bit FNV-1a of the text.
    std::uint64_t Digest() const;
};

}  // namespace replay
