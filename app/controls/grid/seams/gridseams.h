// What tests watch under the grid control.
#pragma once

// The turns of the drag-scroll loop's wait so far, in the whole process: one per look at the
// message queue between two scroll steps. A loop that waits turns a few times per step; one
// that spins turns thousands of times.
long GridDragWaitTurns();
