#include "ui/control_geometry.h"

#include <gtest/gtest.h>

namespace DuiLib {
namespace {

TEST(ControlGeometry, TwoNumberPosThenWidthAndHeight) {
  ControlGeometry geometry;
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "float", "true"), AttributeResult::kApplied);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "pos", "0,20"), AttributeResult::kApplied);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "width", "380"), AttributeResult::kApplied);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "height", "40"), AttributeResult::kApplied);
  EXPECT_TRUE(geometry.floating);
  EXPECT_EQ(geometry.x, 0);
  EXPECT_EQ(geometry.y, 20);
  EXPECT_EQ(geometry.fixedWidth, 380);
  EXPECT_EQ(geometry.fixedHeight, 40);
  // A later pos, from the layout or at run time, moves the control and keeps its size.
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "pos", "90,20"), AttributeResult::kApplied);
  EXPECT_EQ(geometry.x, 90);
  EXPECT_EQ(geometry.y, 20);
  EXPECT_EQ(geometry.fixedWidth, 380);
  EXPECT_EQ(geometry.fixedHeight, 40);
}

TEST(ControlGeometry, FourNumberPosAlsoSetsTheSize) {
  ControlGeometry geometry;
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "pos", "10,20,110,60"), AttributeResult::kApplied);
  EXPECT_EQ(geometry.x, 10);
  EXPECT_EQ(geometry.y, 20);
  EXPECT_EQ(geometry.fixedWidth, 100);
  EXPECT_EQ(geometry.fixedHeight, 40);
  // A later width wins over the one that pos implied.
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "width", "5"), AttributeResult::kApplied);
  EXPECT_EQ(geometry.fixedWidth, 5);
}

TEST(ControlGeometry, NamesAreCaseSensitiveAndBadValuesChangeNothing) {
  ControlGeometry geometry;
  geometry.fixedWidth = 7;
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "Width", "380"), AttributeResult::kNotMine);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "POS", "1,2"), AttributeResult::kNotMine);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "text", "x"), AttributeResult::kNotMine);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "width", "-1"), AttributeResult::kBadValue);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "width", "wide"), AttributeResult::kBadValue);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "pos", "1,2,3"), AttributeResult::kBadValue);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "pos", "5"), AttributeResult::kBadValue);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "pos", "10,10,5,20"), AttributeResult::kBadValue);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "pos", "-2147483648,0,2147483647,0"),
            AttributeResult::kBadValue);
  EXPECT_EQ(ApplyGeometryAttribute(&geometry, "float", "yes"), AttributeResult::kBadValue);
  EXPECT_EQ(geometry.fixedWidth, 7);
  EXPECT_EQ(geometry.x, 0);
  EXPECT_FALSE(geometry.floating);
}

}  // namespace
}  // namespace DuiLib
