// Looking around: what lies under and ahead of the acting unit.
#pragma once

void look();
