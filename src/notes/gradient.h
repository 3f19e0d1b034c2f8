#pragma once
// Gradient fills of a note's title bar and text area (to be written).
