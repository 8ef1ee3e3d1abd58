%
(hand-written, lower case)
g0 x0 y0 z5.
g1 z-1. f100.
g1 x5. y2.
m30
