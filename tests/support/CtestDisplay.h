#pragma once

namespace zq6::test
{
// Under ctest every test that runs at the same time as another gets a virtual display of its own
// (scripts/test.sh starts them and hands them out as the "display" resource), so one test's window
// taking the keyboard focus never closes another test's open text field. Points DISPLAY at the one
// this test was given; does nothing outside ctest's resource allocation.
void useDisplayGivenByCtest();
} // namespace zq6::test
