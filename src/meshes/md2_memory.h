#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace floebound {

// Bytes that MD2 loading currently holds; printed after every stage. A
// diagnostic only: it starts at 0 and is never reset.
extern int md2_alloc_bytes;

// An array that MD2 loading holds, its items' bytes in md2_alloc_bytes for as
// long as it has them. Running out of memory leaves it empty instead of
// throwing, and no items still take a block, so empty means only that memory
// ran out. The item count sits in front of the items, keeping the array one
// pointer wide: the records that hold these keep the sizes the console has
// always counted for them.
template <typename T>
class CountedArray {
public:
    CountedArray() = default;
    explicit CountedArray(std::size_t count) {
        void* block = ::operator new(header + count * sizeof(T), std::nothrow);
        if (!block) return;
        *static_cast<std::size_t*>(block) = count;
        items_ = reinterpret_cast<T*>(static_cast<unsigned char*>(block) + header);
        if constexpr (!std::is_trivially_default_constructible_v<T>) std::uninitialized_default_construct_n(items_, count);
        md2_alloc_bytes += static_cast<int>(count * sizeof(T));
    }
    CountedArray(CountedArray&& other) noexcept : items_(std::exchange(other.items_, nullptr)) {}
    CountedArray& operator=(CountedArray&& other) noexcept {
        if (this != &other) {
            release();
            items_ = std::exchange(other.items_, nullptr);
        }
        return *this;
    }
    ~CountedArray() { release(); }

    explicit operator bool() const { return items_ != nullptr; }
    T* data() { return items_; }
    const T* data() const { return items_; }
    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }

private:
    // Room for the count that keeps the items as aligned as the block.
    static constexpr std::size_t header = alignof(std::max_align_t);
    static_assert(sizeof(std::size_t) <= header && alignof(T) <= header, "the header keeps the items aligned");

    void release() {
        if (!items_) return;
        void* block = reinterpret_cast<unsigned char*>(items_) - header;
        const std::size_t count = *static_cast<std::size_t*>(block);
        if constexpr (!std::is_trivially_destructible_v<T>) std::destroy_n(items_, count);
        md2_alloc_bytes -= static_cast<int>(count * sizeof(T));
        ::operator delete(block);
        items_ = nullptr;
    }

    T* items_ = nullptr;
};
static_assert(sizeof(CountedArray<std::uint8_t>) == sizeof(void*), "the counted records keep their sizes");

}  // namespace floebound
