// The player calls the decoder library through its own view of the entry
// points; it must be the library's own, argument for argument.
#include <gtest/gtest.h>

#include <type_traits>

#include "mpegdll.h"
#include "player/mpegdllapi.h"
#include "player/mpegplay.h"

namespace tovix {
namespace {

namespace api = mpegdll;
static_assert(std::is_same_v<decltype(&::init), api::InitFn>);
static_assert(std::is_same_v<decltype(&::deinit), api::VoidFn>);
static_assert(std::is_same_v<decltype(&::Open), api::OpenFn>);
static_assert(std::is_same_v<decltype(&::Pause), api::FlagFn>);
static_assert(std::is_same_v<decltype(&::Restart), api::VoidFn>);
static_assert(std::is_same_v<decltype(&::Stop), api::VoidFn>);
static_assert(std::is_same_v<decltype(&::SetPriority), api::FlagFn>);
static_assert(std::is_same_v<decltype(&::SetOutputDevice), api::SetOutputDeviceFn>);
static_assert(std::is_same_v<decltype(&::Play), api::PlayFn>);
static_assert(std::is_same_v<decltype(&::Close), api::VoidFn>);
static_assert(std::is_same_v<decltype(&::GetPlayerMode), api::QueryFn>);
static_assert(std::is_same_v<decltype(&::GetCurrentPos), api::QueryFn>);
static_assert(std::is_same_v<decltype(&::GetLength), api::QueryFn>);
static_assert(std::is_same_v<decltype(&::LastError), api::QueryFn>);

TEST(DecoderContract, ModesAndDevicesAreTheLibrarys) {
  EXPECT_EQ(MPEGDLL_MODE_PLAYING, kModePlaying);
  EXPECT_EQ(MPEGDLL_MODE_PAUSED, kModePaused);
  EXPECT_EQ(MPEGDLL_DEVICE_WAVEFILE, 2);
}

}  // namespace
}  // namespace tovix
