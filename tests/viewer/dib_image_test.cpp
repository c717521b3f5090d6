// The image buffer: sizes, ownership of the pixels, and the header DrawDib reads.
#include <gtest/gtest.h>

#include <cstring>

#include "viewer/dib_image.h"

// Lets the allocation-failure test see a null pointer instead of a report when
// built with AddressSanitizer; without it, this function is never called.
extern "C" const char* __asan_default_options() { return "allocator_may_return_null=1"; }

namespace {

// An image with no size and no pixels, neither owned nor borrowed.
void expect_holds_nothing(const dib_image& image) {
  EXPECT_FALSE(image.valid);
  EXPECT_EQ(image.width, 0);
  EXPECT_EQ(image.height, 0);
  EXPECT_EQ(image.stride, 0);
  EXPECT_EQ(image.pixels, nullptr);
  EXPECT_FALSE(image.pixel_array);
  EXPECT_FALSE(image.owns_pixels);
}

TEST(DibImage, CreateSizesRowsFromWidthOrAGivenStride) {
  struct create_case {
    const char* name;
    dib_image::size size;
    std::int32_t stride;
    std::int32_t expected_stride;
  };
  const create_case cases[] = {
      {"default stride", {300, 200}, dib_image::default_stride, 1200},
      {"given stride", {300, 200}, 1280, 1280},
      {"one pixel", {1, 1}, dib_image::default_stride, 4},
      {"no rows", {300, 0}, dib_image::default_stride, 1200},
  };
  for (const create_case& c : cases) {
    SCOPED_TRACE(c.name);
    dib_image image;
    ASSERT_EQ(image.create(c.size, c.stride), 0);
    EXPECT_TRUE(image.valid);
    EXPECT_TRUE(image.owns_pixels);
    EXPECT_EQ(image.width, c.size.width);
    EXPECT_EQ(image.height, c.size.height);
    EXPECT_EQ(image.stride, c.expected_stride);
    EXPECT_EQ(image.pixels, image.pixel_array.get());
    // Every byte of every row is there (AddressSanitizer checks the bounds).
    std::memset(image.pixels, 0xAB, static_cast<std::size_t>(image.height) * image.stride);
  }
}

TEST(DibImage, CreateOnAValidImageReleasesTheOldPixels) {
  dib_image image;
  ASSERT_EQ(image.create({300, 200}, dib_image::default_stride), 0);
  const boost::shared_array<unsigned char> old = image.pixel_array;
  ASSERT_EQ(old.use_count(), 2);
  ASSERT_EQ(image.create({10, 10}, dib_image::default_stride), 0);
  EXPECT_EQ(old.use_count(), 1);
  EXPECT_NE(image.pixels, old.get());
  EXPECT_EQ(image.stride, 40);
}

TEST(DibImage, ResetDropsAValidImageAndLeavesAnInvalidOneAlone) {
  dib_image image;
  ASSERT_EQ(image.create({300, 200}, dib_image::default_stride), 0);
  image.reset();
  expect_holds_nothing(image);

  dib_image invalid;
  invalid.width = 5;
  invalid.stride = 20;
  invalid.reset();
  EXPECT_EQ(invalid.width, 5);
  EXPECT_EQ(invalid.stride, 20);
}

TEST(DibImage, AnImpossibleSizeFailsWithFourAndHoldsNothing) {
  dib_image image;
  ASSERT_EQ(image.create({300, 200}, dib_image::default_stride), 0);
  EXPECT_EQ(image.create({1 << 28, 1 << 30}, dib_image::default_stride), 4);
  expect_holds_nothing(image);
}

}  // namespace
