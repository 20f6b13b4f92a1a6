#pragma once
// The entries of the ten database tables. Every entry is a versioned record
// that begins with its name; the four classes with frames append their frame
// list behind the record. Members that a file version does not hold keep the
// values of the entry's template, which is what each constructor makes.
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "foundation/data_record.h"

struct EffectKindInfo;

// An entry followed by its list of frames. A refused load leaves the entry as
// a new one is made.
template <class Derived, class Frame>
class cFramedEntry : public cDataRecord {
public:
    bool Load(cDataFile& file) override {
        return cDataRecord::Load(file) && ReadRecordList(file, m_vFrames, {kMinRecordBytes}) &&
               static_cast<Derived*>(this)->AfterLoad();
    }
    void Save(cDataFile& file) override {
        cDataRecord::Save(file);
        SaveRecordList(file, m_vFrames);
    }
    void OnLoadRefused() override { static_cast<Derived&>(*this) = Derived(); }
    std::size_t ConstructedListBytes() const {
        return RegisteredListBytes() + m_vFrames.capacity() * ElementMemoryCost<Frame>();
    }

    cVector<Frame> m_vFrames;

protected:
    // Every element of a list holds at least its two counts.
    static constexpr std::size_t kMinRecordBytes = 8;
    // The class's upgrade steps, run after the frames were read.
    bool AfterLoad() { return true; }
};

// One frame of an animation: cell, display time in tenths of a second, and
// the request to lock the animation from this frame on.
class cAnimeFrame : public cDataRecord {
public:
    cAnimeFrame();
    void RegisterFields(int version) override;

    int m_nCell = 0;
    int m_nTime = 1;
    int m_nLock = 0;
};

// An animation: an entry of the Anime table and each motion of an animation
// set. The two values and the flag are kept for the editor only.
class cAnime : public cFramedEntry<cAnime, cAnimeFrame> {
public:
    cAnime();
    explicit cAnime(const std::string& name);
    void RegisterFields(int version) override;

    std::int16_t m_sValue1 = 0;
    std::int8_t m_cFlag = 1;
    std::int16_t m_sValue2 = 0;
    std::string m_strName;
};

// An animation set: the basic motions of a character and three cell offsets
// that the character's display switches add to its picture cell.
class cAnimeSet : public cDataRecord {
public:
    cAnimeSet();
    void RegisterFields(int version) override;
    bool Load(cDataFile& file) override;
    void Save(cDataFile& file) override;
    void OnLoadRefused() override;
    // A new set holds the basic motions.
    std::size_t ConstructedListBytes() const {
        return RegisteredListBytes() + m_vMotions.capacity() * ElementMemoryCost<cAnime>();
    }

    int m_nCellOffset1 = 4;
    int m_nCellOffset2 = 8;
    int m_nCellOffset3 = 0;
    std::string m_strName;
    cVector<cAnime> m_vMotions;
};

class cEffectFrame : public cDataRecord {
public:
    cEffectFrame();
    void RegisterFields(int version) override;

    int m_nCell = 0;
    int m_nTime = 1;
};

// An effect: a short animation of cells of one picture, drawn at a position.
class cEffect : public cFramedEntry<cEffect, cEffectFrame> {
public:
    cEffect();
    void RegisterFields(int version) override;
    bool AfterLoad();

    int m_nAttribute = 0;
    int m_nCellWidth = 32;
    int m_nCellHeight = 32;
    int m_nFollowScale = 0;
    std::string m_strName;
    std::string m_strFile;
};

// Where a blade sits beside its character.
enum SwordPlacement { kSwordFront = 0, kSwordBack = 1, kSwordAbove = 2, kSwordBelow = 3 };

class cSwordFrame : public cDataRecord {
public:
    cSwordFrame();
    void RegisterFields(int version) override;

    int m_nOffsetX = 0;
    int m_nOffsetY = 0;
    int m_nMirrorX = 1;
    int m_nMirrorY = 0;
    int m_nPlacement = kSwordFront;
    int m_nSrcX = 0;
    int m_nSrcY = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nTime = 0;
};

// A sword: a picture per facing and the frames of one swing.
class cSwordType : public cFramedEntry<cSwordType, cSwordFrame> {
public:
    cSwordType();
    void RegisterFields(int version) override;
    bool AfterLoad();

    int m_nAttribute = 0;
    std::string m_strName;
    std::string m_strLeftFile;
    std::string m_strRightFile;
};

// The entries that name a file: a stored attribute that the player does not
// read (cleared for files before 153), the class's own blocks, the name and
// the file.
class cFileEntry : public cDataRecord {
public:
    bool Load(cDataFile& file) override;

    int m_nAttribute = 0;
    std::string m_strName;
    std::string m_strFile;

protected:
    cFileEntry() = default;
    cFileEntry(const cFileEntry&) = default;
    cFileEntry(cFileEntry&&) noexcept = default;
    cFileEntry& operator=(const cFileEntry&) = default;
    struct Block {
        int from;  // first version that stores it
        int* member;
    };
    void RegisterEntry(int version, int attributeFrom, std::initializer_list<Block> blocks);
};

// A dedicated character picture: an extra character sheet for stages.
class cBmpCharaExc : public cFileEntry {
public:
    cBmpCharaExc();
    void RegisterFields(int version) override;

    int m_nSizeFlag = 0;  // 0: mirror cell of 32 pixels; else m_nCellSize applies
    int m_nCellSize = 2;  // in blocks of 32 pixels
};

// A picture for the picture command.
class cPicture : public cFileEntry {
public:
    cPicture();
    void RegisterFields(int version) override;
};

// A sound effect: entry n becomes sound effect n + 16.
class cSound : public cFileEntry {
public:
    cSound();
    void RegisterFields(int version) override;
};

// A piece of music (Ogg or MIDI by the file's extension).
class cBgm : public cFileEntry {
public:
    cBgm();
    void RegisterFields(int version) override;

    int m_nVolume = 100;  // percent, handed to the music player
};

// Character and screen effects share one layout: a kind and five parameters
// whose meaning depends on the kind; parameter 1 (index 0) is the run time.
class cEffectKindEntry : public cDataRecord {
public:
    static constexpr int kParamCount = 5;

    void RegisterFields(int version) override;

    int m_nKind = 1;
    int m_nParam[kParamCount] = {0, 0, 0, 0, 0};
    std::string m_strName;

protected:
    cEffectKindEntry();
    cEffectKindEntry(const cEffectKindEntry&) = default;
    cEffectKindEntry(cEffectKindEntry&&) noexcept = default;
    cEffectKindEntry& operator=(const cEffectKindEntry&) = default;
    // Parameters that files before version 511 did not hold, per kind; they
    // get the value a new entry of the kind starts with.
    struct AddedParam {
        int kind;
        int param;  // 0-based index
    };
    template <std::size_t N>
    void ApplyAddedParams(const AddedParam (&rows)[N], const EffectKindInfo* (*kindInfo)(int));
};

class cCharaEffect : public cEffectKindEntry {
public:
    static constexpr int kKindCount = 16;  // kinds 1 to 16
    cCharaEffect() = default;
    bool Load(cDataFile& file) override;
    // Exchanges the start and end values inside this entry for a run in the
    // reversed direction (kinds with a start and an end only).
    void SwapEnds();
};

class cScrEffect : public cEffectKindEntry {
public:
    static constexpr int kKindCount = 13;  // kinds 1 to 13
    cScrEffect() = default;
    bool Load(cDataFile& file) override;
    // As cCharaEffect::SwapEnds; the move kind swaps its start and end points.
    void SwapEnds();
};
