#pragma once
// The gradient painter's drawing surface on a GDI device context (to be written).
