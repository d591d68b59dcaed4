#pragma once

// Closes every open window in creation order, hidden ones included, and ends the process.
void ExitApplication();
