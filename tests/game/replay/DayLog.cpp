#include "tests/game/replay/DayLog.h"

#include <charconv>

#include "game/CustomerManager.h"
#include "game/Finances.h"
#include "game/Profile.h"

namespace replay {

namespace {

std::string Exact(float value) {
    char digits[32];
    const auto [end, error] = std::to_chars(digits, digits + sizeof(digits), value);
    return error == std::errc() ? std::string(digits, end) : "?";
}

std::string RecordText(const CustomerRecord& record) {
    std::string order;
    for (const std::string& item : record.order) order += (order.empty() ? "" : "+") + item;
    std::string text = "customer frame=" + std::to_string(record.arrivalFrame) + " place=" +
                       std::to_string(record.place) + " type=" + record.type + " order=" + order;
    if (record.paid)
        text += " paid mood=" + Exact(record.moodAtPayment) + " price=" + std::to_string(record.price) +
                " tip=" + std::to_string(record.tip);
    return text + " rating=" + std::to_string(record.rating) + "\n";
}

}  // namespace

ProfileFigures ProfileFigures::Of(const Morvane::Profile& profile) {
    const Morvane::DayResult& result = profile.GetDayResult();
    return {profile.GetDay(),     profile.GetMoney(),           profile.GetQualification(),
            profile.GetMood(),    profile.GetFlags(),           result.foodSales,
            result.tips,          result.serviceRating,         result.customersServed,
            result.customersCome};
}

DayFigures DayFigures::Of(const Morvane::Finances& finances, const Morvane::CustomerManager& customers) {
    DayFigures figures;
    figures.income = finances.income;
    figures.tips = finances.tips;
    figures.come = customers.GetCustomersCome();
    figures.served = customers.GetCustomersServed();
    figures.ratingSum = customers.GetRatingSum();
    return figures;
}

std::string DayLog::ToText() const {
    std::string text;
    for (const CustomerRecord& record : customers) text += RecordText(record);
    const ProfileFigures& profile = figures.profile;
    text += "day income=" + std::to_string(figures.income) + " tips=" + std::to_string(figures.tips) +
            " come=" + std::to_string(figures.come) + " served=" + std::to_string(figures.served) +
            " ratings=" + Exact(figures.ratingSum) + " end=" + std::to_string(figures.endFrame) + "\n";
    text += "profile day=" + std::to_string(profile.day) + " money=" + std::to_string(profile.money) +
            " qualification=" + std::to_string(profile.qualification) + " mood=" + Exact(profile.mood) +
            " flags=" + std::to_string(profile.flags) + " sales=" + std::to_string(profile.foodSales) +
            " tips=" + std::to_string(profile.tips) + " service=" + std::to_string(profile.serviceRating) +
            " served=" + std::to_string(profile.customersServed) + " come=" +
            std::to_string(profile.customersCome) + "\n";
    return text;
}

std::uint64_t DayLog::Digest() const {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : ToText()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace replay
