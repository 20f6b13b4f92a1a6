#pragma once
// Vectors and lists whose subscript never reaches memory outside the
// container: a bad index is reported, starts the fatal-error close and still
// yields an element so the caller can finish its frame.
#include <cstddef>
#include <list>
#include <vector>

// Writes the "err V[..]" / "err L[..]" line and starts the fatal-error close.
void ReportBadIndex(const char* format, int index, std::size_t size, std::size_t elemSize);

// The shared zero-filled element handed out for a failed access to an empty
// vector or to a list; built on first use, one per element type.
template <class T>
T& BadIndexElement() {
    static T element{};
    return element;
}

template <class T>
class cVector : public std::vector<T> {
public:
    using std::vector<T>::vector;

    T& operator[](int i) { return At(i); }
    const T& operator[](int i) const { return const_cast<cVector*>(this)->At(i); }

    // Element count as the signed 32-bit int that data code compares with.
    int Count() const { return static_cast<int>(this->size()); }

    void Fill(const T& value) {
        for (int i = 0; i < static_cast<int>(this->size()); ++i) (*this)[i] = value;
    }

private:
    T& At(int i) {
        if (i >= 0 && static_cast<std::size_t>(i) < this->size()) {
            return std::vector<T>::operator[](static_cast<std::size_t>(i));
        }
        ReportBadIndex("err V[%d] ( %d , %d )", i, this->size(), sizeof(T));
        // An empty vector yields the shared zero element instead of throwing:
        // the close is already on its way and the caller must not crash.
        if (this->empty()) return BadIndexElement<T>();
        return std::vector<T>::operator[](0);
    }
};

template <class T>
class cList : public std::list<T> {
public:
    using std::list<T>::list;

    T& operator[](int i) { return At(i); }
    const T& operator[](int i) const { return const_cast<cList*>(this)->At(i); }

    int Count() const { return static_cast<int>(this->size()); }

private:
    T& At(int i) {
        if (i >= 0 && static_cast<std::size_t>(i) < this->size()) {
            auto it = this->begin();
            for (int k = 0; k < i; ++k) ++it;
            return *it;
        }
        ReportBadIndex("err L[%d] ( %d , %d )", i, this->size(), sizeof(T));
        return BadIndexElement<T>();
    }
};
