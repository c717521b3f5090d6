// The window's paint message: the update region and paint rectangle the client
// reads, a paint that runs inside another, and a paint the platform refuses.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/portable/gdi32/gdi_state.h"
#include "tests/conformance/rectangles.h"
#include "tests/framework/recording_client.h"
#include "tests/support/scripted_host.h"

namespace {

using conformance::rectangles_of;
using framework_test::recording_client;

// What on_paint saw: its region's rectangles (none when it could not be read)
// and the paint rectangle, on entry and again after `inside` ran.
struct paint_view {
  std::vector<RECT> region_on_entry, region_on_return;
  RECT rect_on_entry{}, rect_on_return{};
};

class painting_client : public recording_client {
 public:
  std::int32_t on_paint() override {
    paint_view view;
    view.region_on_entry = rectangles_of(window.update_region);
    view.rect_on_entry = window.paint_rect;
    const std::size_t index = paints.size();
    paints.push_back(view);
    if (inside) std::exchange(inside, nullptr)();
    paints[index].region_on_return = rectangles_of(window.update_region);
    paints[index].rect_on_return = window.paint_rect;
    return handled;
  }
  void repaint(RECT r) {
    InvalidateRect(window.handle, &r, FALSE);
    UpdateWindow(window.handle);
  }

  std::vector<paint_view> paints;
  std::function<void()> inside;  // runs once, inside the next paint
};

TEST(WindowPainting, APaintInsideAPaintLeavesTheOuterOnesRegionAndRectangle) {
  scripted::host host;
  painting_client client;
  client.open();
  client.paints.clear();
  const std::size_t objects_before = portable::gdi_process().gdi.count();

  // As a message box's modal loop does when the window needs painting again.
  client.inside = [&client] { client.repaint(RECT{300, 200, 310, 220}); };
  client.repaint(RECT{0, 0, 100, 50});

  ASSERT_EQ(client.paints.size(), 2u);
  const paint_view& outer = client.paints[0];
  const paint_view& inner = client.paints[1];
  EXPECT_EQ(outer.region_on_entry, (std::vector<RECT>{RECT{0, 0, 100, 50}}));
  EXPECT_EQ(outer.rect_on_entry, (RECT{0, 0, 100, 50}));
  EXPECT_EQ(inner.region_on_entry, (std::vector<RECT>{RECT{300, 200, 310, 220}}));
  EXPECT_EQ(inner.rect_on_entry, (RECT{300, 200, 310, 220}));
  EXPECT_EQ(outer.region_on_return, outer.region_on_entry) << "the inner paint took the outer one's region";
  EXPECT_EQ(outer.rect_on_return, outer.rect_on_entry);
  // Outside painting there is neither, and no region was left behind.
  EXPECT_EQ(client.window.update_region, nullptr);
  EXPECT_EQ(client.window.paint_rect, RECT{});
  EXPECT_EQ(portable::gdi_process().gdi.count(), objects_before);
}

TEST(WindowPainting, APaintThatBeginPaintRefusesDrawsNothingAndTheAreaWaitsForTheNext) {
  scripted::host host;
  painting_client client;
  client.open();
  client.paints.clear();
  const std::size_t objects_before = portable::gdi_process().gdi.count();

  int refusals = 0;
  host.failing = [&refusals](portable::host::fallible call) {
    return call == portable::host::fallible::begin_paint && refusals++ < 1;
  };
  client.repaint(RECT{0, 0, 100, 50});
  EXPECT_EQ(refusals, 1);
  EXPECT_TRUE(client.paints.empty()) << "the client painted without a paint";
  EXPECT_EQ(portable::gdi_process().gdi.count(), objects_before);
  HRGN waiting = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(client.window.handle, waiting, FALSE);
  EXPECT_EQ(rectangles_of(waiting), (std::vector<RECT>{RECT{0, 0, 100, 50}}));
  DeleteObject(waiting);

  UpdateWindow(client.window.handle);
  ASSERT_EQ(client.paints.size(), 1u);
  EXPECT_EQ(client.paints[0].rect_on_entry, (RECT{0, 0, 100, 50}));
  EXPECT_EQ(portable::gdi_process().gdi.count(), objects_before);
}

}  // namespace
