#pragma once
// The one stored instance of a single-instance manager class. Each manager derives
// from the holder of itself (an implementation class from the holder of its
// abstract base) and is reached everywhere through T::Instance().

namespace Vantor {

template <class T>
class GlobalPointerHolder {
public:
    // With a non-null argument registers it as the instance. Returns the stored
    // instance, which is null until one was registered. The holder does not own
    // the instance and never clears itself.
    static T* Instance(T* instance = nullptr) {
        if (instance) stored_ = instance;
        return stored_;
    }

private:
    static inline T* stored_ = nullptr;
};

}  // namespace Vantor
