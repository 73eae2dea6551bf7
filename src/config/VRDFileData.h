#pragma once

#include "config/FILEDATA.h"
#include "io/TKFileError.h"
#include "io/TKResult.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The file functions of config.bin. The record is always read and written as
// one block, so fields that nothing edits go back to the card as they came.

// Reads up to 1176 bytes of the file into `record`. True only when the file
// held the whole record and its modelNum is 201. When the file cannot be
// opened the record is untouched; otherwise it holds what was read, and the
// caller refills it on false.
bool VRDReadFileData(const std::string &path, FILEDATA &record);
// The same acceptance rule applied to bytes already in memory.
bool VRDReadFileDataFromBytes(std::span<const std::uint8_t> bytes, FILEDATA &record);

// Replaces the file with the record's 1176 bytes; on failure the old file is
// kept whole and the error carries the key "msg.file_open_fail".
TKStatus<TKFileError> VRDWriteFileData(const FILEDATA &record, const std::string &path);

// Stores the factory default of every field that has one. Bytes without a
// default (the check word, time zone, summer time, voice language, dummy1
// and the vehicle block from vehicletype to comm_rpm_pulse3) keep their value.
void VRDDefaultFileData(FILEDATA &record);
// The settings window's reset: the defaults with both motion sensitivities 3.
void VRDResetFileData(FILEDATA &record);
// Writes a zero-filled record with the defaults, plate flag and check word.
TKStatus<TKFileError> VRDWriteDefaultFile(const std::string &path);

// The XOR of the low halves of the 293 aligned 32-bit words after the first.
std::uint16_t VRDCheckWord(const FILEDATA &record);
// Sets osd_plate_flag from szPlateNumber and stores the check word.
void VRDPrepareFileDataForSave(FILEDATA &record);

struct VRDTimeZone {
    std::string_view label;
    std::int32_t value; // offset from GMT as signed hours * 100 + minutes
};

inline constexpr std::array<VRDTimeZone, 34> kVRDTimeZones{{
    {"-12:00", -1200}, {"-11:00", -1100}, {"-10:00", -1000}, {"-09:00", -900}, {"-08:00", -800},
    {"-07:00", -700},  {"-06:00", -600},  {"-05:00", -500},  {"-04:30", -430}, {"-04:00", -400},
    {"-03:30", -330},  {"-03:00", -300},  {"-02:00", -200},  {"-01:00", -100}, {"00:00", 0},
    {"+01:00", 100},   {"+02:00", 200},   {"+03:00", 300},   {"+03:30", 330},  {"+04:00", 400},
    {"+04:30", 430},   {"+05:00", 500},   {"+05:30", 530},   {"+05:45", 545},  {"+06:00", 600},
    {"+06:30", 630},   {"+07:00", 700},   {"+08:00", 800},   {"+09:00", 900},  {"+09:30", 930},
    {"+10:00", 1000},  {"+11:00", 1100},  {"+12:00", 1200},  {"+13:00", 1300},
}};

// The index in kVRDTimeZones of an offset from GMT in seconds, -1 if none.
std::int32_t VRDTimeZoneIndexForOffset(long offsetSeconds);
// The index of the computer's current offset from GMT (daylight-saving time
// included when in force), -1 when the list lacks it.
std::int32_t VRDTimeZoneIndex();
