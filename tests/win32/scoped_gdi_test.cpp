// The GDI owners with real GDI objects: each object is deleted exactly once,
// by whichever owner holds it last, and what a scope selects into or sets on
// a device context is put back before the scope's objects go.
#include "app/scoped_gdi.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

namespace varnett {
namespace {

bool Alive(HGDIOBJ object) { return GetObjectType(object) != 0; }

TEST(ScopedGdi, AnObjectIsDeletedOnceByItsLastOwner) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  ASSERT_TRUE(pen);
  {
    ScopedPen first(pen);
    ScopedPen second(std::move(first));
    EXPECT_FALSE(first);
    ScopedPen last;
    last = std::move(second);
    EXPECT_EQ(last.get(), pen);
    EXPECT_TRUE(Alive(pen));
  }
  EXPECT_FALSE(Alive(pen));

  // Reset deletes the old object at once; Release gives one up undeleted.
  HBRUSH replaced = CreateSolidBrush(RGB(4, 5, 6));
  HBRUSH kept = CreateSolidBrush(RGB(7, 8, 9));
  {
    ScopedBrush brush(replaced);
    brush.Reset(kept);
    EXPECT_FALSE(Alive(replaced));
    EXPECT_EQ(brush.Release(), kept);
  }
  EXPECT_TRUE(Alive(kept));
  DeleteObject(kept);
}

TEST(ScopedGdi, SelectionsAndStateArePutBackBeforeTheObjectsGo) {
  ScopedDc dc(CreateCompatibleDC(nullptr));
  ASSERT_TRUE(dc);
  HGDIOBJ first_pen = GetCurrentObject(dc.get(), OBJ_PEN);
  HGDIOBJ first_brush = GetCurrentObject(dc.get(), OBJ_BRUSH);
  HPEN pen_made;
  HBRUSH brush_made;
  {
    ScopedPen pen(CreatePen(PS_SOLID, 3, RGB(1, 2, 3)));
    ScopedBrush brush(CreateSolidBrush(RGB(4, 5, 6)));
    pen_made = pen.get();
    brush_made = brush.get();
    {
      ScopedSelect selected(dc.get(), pen.get());
      EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), pen.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), first_pen);
    {
      ScopedSavedDc saved(dc.get());
      SelectObject(dc.get(), pen.get());
      SelectObject(dc.get(), brush.get());
      SetGraphicsMode(dc.get(), GM_ADVANCED);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), first_pen);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), first_brush);
    EXPECT_EQ(GetGraphicsMode(dc.get()), GM_COMPATIBLE);
  }
  EXPECT_FALSE(Alive(pen_made));
  EXPECT_FALSE(Alive(brush_made));
}

}  // namespace
}  // namespace varnett
