#pragma once

// Alignment of a column's heading and cells, with the header's own values.
enum class ColumnAlign : int { Left = 0, Right = 1, Center = 2 };
