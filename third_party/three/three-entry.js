// The parts of three.js the exported web page uses. update.sh bundles them,
// with everything they need, into three.min.js, which sets the global THREE.
export {
    ColorManagement,
    Color,
    DoubleSide,
    LinearSRGBColorSpace,
    MOUSE,
    MeshBasicMaterial,
    BufferAttribute,
    PerspectiveCamera,
    Scene,
    Sphere,
    Box3,
    TOUCH,
    Vector3,
    WebGLRenderer,
} from 'three';
export { OrbitControls } from 'three/examples/jsm/controls/OrbitControls.js';
export { GLTFLoader } from 'three/examples/jsm/loaders/GLTFLoader.js';
