// Freeing object and container slots.
#pragma once

// Frees an object slot; an item lying on the ground leaves its square's count.
void destroy_object(int k);
// Frees a container slot together with everything inside it.
void destroy_container(int c);
// Destroys every item held by container c, whatever its status.
void destroy_container_items(int c);
