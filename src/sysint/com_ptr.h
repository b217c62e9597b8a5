// Owners of COM: one interface pointer, released when the owner goes, and the thread's apartment.
#pragma once
#include <objbase.h>
#include <unknwn.h>

#include <utility>

namespace lentora {

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For the out-parameter of a creating call; anything held before is released.
    T** Receive() {
        Reset();
        return &p_;
    }
    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    // Another interface of the same object; empty when the object does not have it.
    template <typename U>
    ComPtr<U> As() const {
        ComPtr<U> other;
        if (p_) p_->QueryInterface(__uuidof(U), reinterpret_cast<void**>(other.Receive()));
        return other;
    }

private:
    T* p_ = nullptr;
};

// COM on this thread, single-threaded apartment, for the lifetime of the scope.
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// COM on the calling thread from its first need until the thread ends. Whatever needs COM calls
// this first, so a start that never does (most starts at log-on) neither loads nor starts it.
inline void UseComOnThisThread() { thread_local const ComApartment apartment; }

}  // namespace lentora
