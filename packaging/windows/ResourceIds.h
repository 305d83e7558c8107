#pragma once
// The numbers of the resources every Windows program of Tapfill carries
// (tapfill.rc.in), for the code that loads them.

#define TAPFILL_ICON_PROGRAM 1 // the first icon: Explorer shows it for the file
#define TAPFILL_ICON_IDLE 2    // the tray, paste mode off
#define TAPFILL_ICON_ACTIVE 3  // the tray, paste mode on
#define TAPFILL_ICON_LOGO 4    // the splash
